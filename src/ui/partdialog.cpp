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
#include <QVBoxLayout>

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

}  // namespace

PianoRoll::PianoRoll(QWidget* parent) : QWidget(parent), codes_(EmptyCodes()) {
  setObjectName("PianoRoll");
  setMinimumSize(kSlotCount * 12, kRows * 5 + 6);
}

void PianoRoll::setCodes(const SlotCodes& codes) {
  codes_ = codes;
  update();
}

void PianoRoll::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  const double column = double(width()) / kSlotCount;
  const double row = double(height() - 4) / kRows;
  for (int octave = 0; octave <= 2; ++octave) {
    const int y = lineOf(octave);
    painter.setPen(palette().mid().color());
    painter.drawLine(0, y, width(), y);
    // Each line named at its right end, above it, or below it at the top: C4, C5, C6.
    painter.setPen(palette().text().color());
    const int top = y >= 14 ? y - 14 : y + 1;
    painter.drawText(QRect(0, top, width() - 2, 13), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("C%1").arg(4 + octave));
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string& code = codes_[size_t(slot)];
    const int x = int(slot * column) + 1;
    if (auto pitch = Pitch::FromCode(code)) {
      const int y = int(height() - 2 - (pitch->Midi() - Pitch::kLowestMidi + 1) * row);
      painter.fillRect(x, y, int(column) - 2, std::max(2, int(row)), palette().highlight());
    } else if (code == kRestCode) {
      painter.fillRect(x, height() - 4, int(column) - 2, 2, palette().text());
    }
  }
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
          [&tune](int row, int column) {
            const formats::MidiPart& p = tune.parts[size_t(row)];
            const QVariant cells[] = {row + 1,
                                      Text(tune.Name(p)),
                                      p.channel,
                                      Text(formats::InstrumentName(p.program, CurrentLanguage())),
                                      p.onsets,
                                      Text(formats::KeyName(p.lowest)),
                                      Text(formats::KeyName(p.highest))};
            return cells[column];
          },
          [](int) { return true; }, this)),
      from_(new QSpinBox(this)),
      roll_(new PianoRoll(this)),
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
  auto* play = new QPushButton(QStringLiteral("▶"), this);
  play->setObjectName("Play");
  play->setToolTip(tr("30 スロットを鳴らす"));
  play->setAccessibleName(tr("30 スロットを鳴らす"));
  play->setEnabled(player_ != nullptr);
  play->setAutoDefault(false);
  connect(play, &QPushButton::clicked, this, &PartDialog::play);
  auto* rollRow = new QHBoxLayout;
  rollRow->addWidget(roll_, 1);
  rollRow->addWidget(play, 0, Qt::AlignTop);
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
    return;
  }
  Melody melody;
  std::copy(roll_->codes().begin(), roll_->codes().end(), melody.Notes.begin());
  std::vector<std::string> waves;
  for (const TestPlayStep& step : TestPlaySteps(melody)) waves.push_back(Da::PathOf(step.wave));
  player_->play(std::move(waves));
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
