// SPDX-License-Identifier: MIT
#include "ui/typingguide.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/coretexts.h"
#include "core/da.h"
#include "core/pitch.h"
#include "ui/languageswitch.h"

namespace merin::ui {
namespace {

constexpr int kPressMs = 450;  // each key stays lit so long
constexpr const char* kKeypadRows[] = {"123", "456", "789", "*0#"};

QString Said(const Text& text, std::initializer_list<std::string> values = {}) {
  return QString::fromStdString(Words(text, CurrentLanguage(), values));
}

// The keys of `slot` in the order they are pressed.
QStringList KeyNames(const SlotPresses& slot) {
  QStringList keys;
  for (const std::string& key : KeysOf(slot)) keys << QString::fromStdString(key);
  return keys;
}

QLabel* KeyTile(const QString& key, QWidget* parent) {
  auto* tile = new QLabel(key, parent);
  tile->setObjectName("Key" + key);
  tile->setAlignment(Qt::AlignCenter);
  tile->setMinimumSize(72, 52);
  QFont font = tile->font();
  font.setPointSize(18);
  tile->setFont(font);
  return tile;
}

}  // namespace

TypingGuide::TypingGuide(const Melody& melody, SoundDevice& sound, QWidget* parent)
    : QDialog(parent),
      slots_(
          KeyPressesOf(std::span<const std::string, kSlotCount>(melody.Notes.data(), kSlotCount))),
      player_(sound),
      timer_(new QTimer(this)),
      number_(new QLabel(this)),
      pitch_(new QLabel(this)),
      keys_(new QLabel(this)),
      hint_(new QLabel(this)) {
  setObjectName("TypingGuide");
  std::copy_n(melody.Notes.begin(), codes_.size(), codes_.begin());

  number_->setObjectName("GuideSlot");
  pitch_->setObjectName("GuidePitch");
  keys_->setObjectName("GuideKeys");
  QFont big = pitch_->font();
  big.setPointSize(40);
  big.setBold(true);
  pitch_->setFont(big);
  big.setPointSize(20);
  big.setBold(false);
  number_->setFont(big);
  big.setPointSize(16);
  keys_->setFont(big);
  for (QLabel* label : {number_, pitch_, keys_, hint_}) label->setAlignment(Qt::AlignCenter);

  auto* keypad = new QGridLayout;
  keypad->setSpacing(8);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) {
      const QString key = QString(QChar(kKeypadRows[row][column]));
      keypad_[key] = KeyTile(key, this);
      keypad->addWidget(keypad_[key], row, column);
    }
  }
  const QString confirm = QString::fromUtf8(kConfirmKey.data(), qsizetype(kConfirmKey.size()));
  keypad_[confirm] = KeyTile(confirm, this);
  keypad_[confirm]->setObjectName("KeyConfirm");
  keypad->addWidget(keypad_[confirm], 4, 0, 1, 3);

  auto* previous = new QPushButton(this);
  auto* next = new QPushButton(this);
  previous->setObjectName("GuidePrevious");
  next->setObjectName("GuideNext");
  for (QPushButton* button : {previous, next}) button->setFocusPolicy(Qt::NoFocus);
  connect(previous, &QPushButton::clicked, this, [this] { showSlot(slot_ - 1); });
  connect(next, &QPushButton::clicked, this, [this] { showSlot(slot_ + 1); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(previous);
  buttons->addStretch();
  buttons->addWidget(next);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(number_);
  layout->addWidget(pitch_);
  layout->addLayout(keypad);
  layout->addWidget(keys_);
  layout->addLayout(buttons);
  layout->addWidget(hint_);

  Translate(this, [this, previous, next] {
    previous->setText("← " + Said(CoreText("guide.previous")));
    next->setText(Said(CoreText("guide.next")) + " →");
    hint_->setText(Said(CoreText("guide.keys")));
    showWords();
  });
  connect(timer_, &QTimer::timeout, this, [this] {
    // After the last key a pause of one press, then the keys again from the first.
    const qsizetype count = KeyNames(slots_[size_t(slot_ - 1)]).size();
    light(press_ + 1 > count ? 0 : press_ + 1);
  });
  timer_->start(kPressMs);
  showSlot(1);
}

void TypingGuide::addMenuItem(QMenu* help, QWidget* window, const Melody& melody,
                              SoundDevice& sound) {
  auto* item = help->addAction(QString());
  item->setObjectName("TypingGuideMenu");
  item->setShortcut(Qt::Key_F2);
  Translate(window, [item] { item->setText(Said(CoreText("guide.title")) + "..."); });
  QObject::connect(item, &QAction::triggered, window, [window, &melody, &sound] {
    TypingGuide guide(melody, sound, window);
    guide.exec();
  });
}

void TypingGuide::showSlot(int slot) {
  slot = std::clamp(slot, 1, int(kSlotCount));
  if (slot == slot_ && sounded_) return;  // at either end: nothing new to show or hear
  sounded_ = true;
  slot_ = slot;
  showWords();
  light(0);
  timer_->start(kPressMs);
  player_.play({Da::PathOf(WaveFileOf(codes_[size_t(slot_ - 1)]))});
}

void TypingGuide::showWords() {
  const SlotPresses& slot = slots_[size_t(slot_ - 1)];
  number_->setText(Said(CoreText("guide.slot"), {std::to_string(slot_)}));
  // The caption says the slot too, where a window list or a screen reader finds it.
  setWindowTitle(Said(CoreText("guide.title")) + " - " + number_->text());
  pitch_->setText(!slot.name.empty() ? QString::fromStdString(slot.name)
                  : slot.rest        ? Said(CoreText("guide.rest"))
                                     : Said(CoreText("guide.empty")));
  keys_->setText(presses());
  keys_->setAccessibleName(Said(CoreText("guide.presses"), {presses().toStdString()}));
  setAccessibleDescription(number_->text() + " " + pitch_->text());
}

QString TypingGuide::presses() const {
  QString text;
  for (const QString& key : KeyNames(slots_[size_t(slot_ - 1)])) text += "[" + key + "]";
  return text;
}

QString TypingGuide::litKey() const {
  const QStringList keys = KeyNames(slots_[size_t(slot_ - 1)]);
  return press_ < keys.size() ? keys[press_] : QString();
}

void TypingGuide::light(int press) {
  press_ = press;
  const QString on = litKey();
  for (const auto& [key, tile] : keypad_) {
    tile->setStyleSheet(key == on ? QStringLiteral("background: #ffd000; color: black; border: 3px "
                                                   "solid #b06000; border-radius: 8px;")
                                  : QStringLiteral("background: #f4f4f4; color: #303030; border: "
                                                   "1px solid #909090; border-radius: 8px;"));
  }
  emit lit(on);
}

void TypingGuide::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
      showSlot(slot_ + 1);
      return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace:
      showSlot(slot_ - 1);
      return;
    case Qt::Key_Home:
      showSlot(1);
      return;
    case Qt::Key_End:
      showSlot(kSlotCount);
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace merin::ui
