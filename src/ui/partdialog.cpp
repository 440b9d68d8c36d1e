// SPDX-License-Identifier: MIT
#include "ui/partdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "core/coretexts.h"
#include "core/da.h"
#include "core/pitch.h"
#include "output/testplay.h"
#include "ui/languageswitch.h"
#include "ui/rowlist.h"

namespace merin::ui {
namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kRows = Pitch::kHighestMidi - Pitch::kLowestMidi + 1;
// The width of the margin that names the lines, and how often a playing preview is looked at.
constexpr int kNameWidth = 26, kPlayingCheckMs = 100;

// The lowest and highest pitch of `codes`, the slots a part gives once moved into C4..B5: "-"
// when none sounds.
std::pair<QString, QString> RangeOf(const SlotCodes& codes) {
  int lowest = Pitch::kHighestMidi + 1, highest = Pitch::kLowestMidi - 1;
  for (const std::string& code : codes) {
    if (auto pitch = Pitch::FromCode(code)) {
      lowest = std::min(lowest, pitch->Midi());
      highest = std::max(highest, pitch->Midi());
    }
  }
  if (lowest > highest) return {QStringLiteral("-"), QStringLiteral("-")};
  return {Text(formats::KeyName(lowest)), Text(formats::KeyName(highest))};
}

}  // namespace

PianoRoll::PianoRoll(QWidget* parent) : QWidget(parent), codes_(EmptyCodes()) {
  setObjectName("PianoRoll");
  setMinimumSize(kSlotCount * 12 + kNameWidth, kRows * 5 + 6);
}

void PianoRoll::setCodes(const SlotCodes& codes) {
  codes_ = codes;
  update();
}

void PianoRoll::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  for (int octave = 0; octave <= 2; ++octave) {
    const int y = lineOf(octave);
    painter.setPen(palette().mid().color());
    painter.drawLine(0, y, width() - kNameWidth, y);
    painter.setPen(palette().text().color());
    painter.drawText(nameOf(octave), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("C%1").arg(4 + octave));
  }
  const double row = double(height() - 4) / kRows;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string& code = codes_[size_t(slot)];
    const QRect column = columnOf(slot);
    if (auto pitch = Pitch::FromCode(code)) {
      const int y = int(height() - 2 - (pitch->Midi() - Pitch::kLowestMidi + 1) * row);
      painter.fillRect(column.x(), y, column.width(), std::max(2, int(row)), palette().highlight());
    } else if (code == kRestCode) {
      painter.fillRect(column.x(), height() - 4, column.width(), 2, palette().text());
    }
  }
}

QRect PianoRoll::columnOf(int slot) const {
  const double column = double(width() - kNameWidth) / kSlotCount;
  const int x = int(slot * column) + 1;
  return {x, 0, std::max(1, int((slot + 1) * column) - x - 1), height()};
}

QRect PianoRoll::nameOf(int octave) const {
  // Beside its line, kept inside the roll at the top and the bottom.
  const int y = std::clamp(lineOf(octave) - 6, 0, height() - 13);
  return {width() - kNameWidth + 3, y, kNameWidth - 3, 13};
}

int PianoRoll::lineOf(int octave) const {
  return int(height() - 2 - octave * 12 * (double(height() - 4) / kRows));
}

PartDialog::PartDialog(const formats::MidiTune& tune, const QString& file, QWidget* parent,
                       SoundDevice* sound)
    : QDialog(parent),
      tune_(tune),
      parts_(new RowList(
          int(tune.parts.size()),
          {tr("番号"), tr("トラック名"), tr("チャンネル"), tr("音色"), tr("音の数"), tr("最低音"),
           tr("最高音")},
          [&tune, ranges = std::make_shared<std::vector<std::pair<QString, QString>>>()](
              int row, int column) {
            // The range as the roll shows it: after the part is moved into C4..B5.
            if (ranges->empty()) {
              for (size_t part = 1; part <= tune.parts.size(); ++part) {
                auto taken = formats::TakePart(tune, part, 1, "");
                auto* imported = std::get_if<formats::Imported>(&taken);
                ranges->push_back(imported ? RangeOf(imported->codes)
                                           : std::pair{QStringLiteral("-"), QStringLiteral("-")});
              }
            }
            const formats::MidiPart& p = tune.parts[size_t(row)];
            const auto& [lowest, highest] = (*ranges)[size_t(row)];
            const QVariant cells[] = {
                row + 1,   Text(tune.Name(p)),
                p.channel, Text(formats::InstrumentName(p.program, CurrentLanguage())),
                p.onsets,  lowest,
                highest};
            return cells[column];
          },
          [](int) { return true; }, this)),
      from_(new QSpinBox(this)),
      roll_(new PianoRoll(this)),
      play_(new QPushButton(QStringLiteral("▶"), this)),
      player_(sound ? std::make_unique<WavePlayer>(*sound) : nullptr) {
  setObjectName("PartDialog");
  setWindowTitle(tr("パートを選ぶ"));
  parts_->setObjectName("Parts");
  parts_->horizontalHeader()->setStretchLastSection(false);
  parts_->setCurrentRow(int(tune.chosen) - 1);
  from_->setObjectName("From");
  from_->setMinimum(1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout;
  form->addRow(tr("曲の何番目の音から(&S):"), from_);
  play_->setObjectName("Play");
  play_->setToolTip(tr("30 スロットを鳴らす"));
  play_->setAccessibleName(tr("30 スロットを鳴らす"));
  play_->setEnabled(player_ != nullptr);
  play_->setAutoDefault(false);
  connect(play_, &QPushButton::clicked, this, &PartDialog::play);
  auto* rollRow = new QHBoxLayout;
  rollRow->addWidget(roll_, 1);
  rollRow->addWidget(play_, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(file, this));
  layout->addWidget(parts_);
  layout->addLayout(rollRow);
  layout->addLayout(form);
  layout->addWidget(buttons);
  connect(parts_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
    from_->setMaximum(int(tune_.parts[choice().part - 1].sequenceLength));
    preview();
  });
  connect(from_, &QSpinBox::valueChanged, this, &PartDialog::preview);
  from_->setMaximum(int(tune.parts[tune.chosen - 1].sequenceLength));
  preview();
  parts_->setFocus();
}

PartDialog::~PartDialog() = default;

void PartDialog::play() {
  // A press while it plays stops it.
  if (player_->playing()) {
    player_->stop();
    showPlaying();
    return;
  }
  Melody melody;
  std::copy(roll_->codes().begin(), roll_->codes().end(), melody.Notes.begin());
  std::vector<std::string> waves;
  for (const TestPlayStep& step : TestPlaySteps(melody)) waves.push_back(Da::PathOf(step.wave));
  player_->play(std::move(waves));
  showPlaying();
}

void PartDialog::showPlaying() {
  const bool playing = player_->playing();
  play_->setText(playing ? QStringLiteral("■") : QStringLiteral("▶"));
  play_->setAccessibleName(playing ? Text(Words(CoreText("page.stop"), CurrentLanguage()))
                                   : tr("30 スロットを鳴らす"));
  if (playing) QTimer::singleShot(kPlayingCheckMs, this, &PartDialog::showPlaying);
}

formats::ReadOptions PartDialog::choice() const {
  const int row = parts_->currentRow();
  return {size_t(from_->value()), size_t(std::max(row, 0)) + 1};
}

void PartDialog::preview() {
  const formats::ReadOptions chosen = choice();
  auto taken = formats::TakePart(tune_, chosen.part, chosen.from, "");
  if (auto* imported = std::get_if<formats::Imported>(&taken)) roll_->setCodes(imported->codes);
}

}  // namespace merin::ui
