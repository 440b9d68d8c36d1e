#include "ui/merinmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include "art/pictures.h"
#include "core/applymelody.h"
#include "core/lifecycle.h"
#include "core/notecode.h"
#include "entry/keyboard.h"
#include "entry/staff.h"
#include "output/convert.h"
#include "output/testplay.h"
#include "ui/editcontrols.h"
#include "ui/edithistory.h"
#include "ui/keybutton.h"
#include "ui/positionmarker.h"
#include "ui/soloutform.h"
#include "ui/staffcell.h"

namespace merin::ui {

namespace {

constexpr int kClientWidth = 627, kClientHeight = 376, kStatusHeight = 21;
constexpr std::array<int, 10> kBlackKeyLefts = {90, 120, 180, 210, 240, 300, 330, 390, 420, 450};
constexpr uint32_t kWindowBackground = 0x80000005, kWindowText = 0x80000008;

// Qt reads a bitmap that was cut short as a whole picture with rows of garbage; the length that
// the file's header gives tells. A header length of 0 means the writer left it unsaid.
bool BitmapCutShort(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray header = file.read(6);
  if (header.size() < 6 || !header.startsWith("BM")) return false;
  const auto* b = reinterpret_cast<const uchar*>(header.constData());
  const qint64 stated = qint64(b[2]) | qint64(b[3]) << 8 | qint64(b[4]) << 16 | qint64(b[5]) << 24;
  return stated > file.size();
}

QString Name(const char* stem, int index) {
  return QString::fromLatin1(stem) + QString::number(index);
}

}  // namespace

MerinMain::MerinMain(SoundDevice& sound) : sound_(sound), client_(new QWidget(this)) {
  setObjectName("MerinMain");
  setWindowTitle(QStringLiteral("Merinkast98   - DoCoMo携帯 作曲支援 -"));
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(art::WindowIcon(size)));
  setWindowIcon(icon);

  Filemenu_ = menuBar()->addMenu(QStringLiteral("File(&F)"));
  Filemenu_->setObjectName("Filemenu");
  EndMenu_ = Filemenu_->addAction(QStringLiteral("終了"));
  EndMenu_->setObjectName("EndMenu");

  client_->setObjectName("client");
  setCentralWidget(client_);
  BuildControls();
  Wire();
  client_->installEventFilter(this);
  history_ = new EditHistory(
      melody_, [this](const MelodySnapshot& s) { replaceMelody(s.codes, s.cursor); }, this);
  new EditControls(this, melody_, *history_,
                   [this](const auto& change) { Guard([&] { change(melody_, *this); }); });
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

MerinMain::~MerinMain() = default;

void MerinMain::BuildControls() {
  std::vector<QWidget*> tabOrder;
  auto place = [&](QWidget* w, const QString& name, int x, int y, int width, int height) {
    w->setObjectName(name);
    w->setGeometry(x, y, width, height);
    tabOrder.push_back(w);
  };
  auto cell = [&](int i) {
    Gosen_[i] = new StaffCell(int16_t(i), client_);
    Gosen_[i]->setColours(kWindowBackground, kWindowText);
    Gosen_[i]->setPicture(art::StaffPicture());
    place(Gosen_[i], Name("Gosen", i), 10 + 20 * i, 10, 21, 111);
  };

  const QImage white = art::WhiteKeyPicture(), black = art::BlackKeyPicture();
  for (int i = 0; i < 14; ++i) {
    ken_[i] = new KeyButton(white, client_);
    place(ken_[i], Name("ken", i), 70 + 30 * i, 170, 31, 131);
  }
  for (int i = 0; i < 10; ++i) {
    bkey_[i] = new KeyButton(black, client_);
    place(bkey_[i], Name("bkey", i), kBlackKeyLefts[i], 170, 21, 91);
  }
  cell(0);
  PedalSW_ = new QPushButton(QStringLiteral("休符ペダル"), client_);
  place(PedalSW_, "PedalSW", 220, 310, 121, 21);
  for (int i = 1; i < 30; ++i) cell(i);
  Command1_ = new QPushButton(QStringLiteral("変  換"), client_);
  place(Command1_, "Command1", 500, 270, 111, 31);
  StatusBar1_ = new QStatusBar(client_);
  StatusBar1_->setSizeGripEnabled(false);
  statusText_ = new QLabel(StatusBar1_);
  statusText_->setObjectName("StatusText");
  StatusBar1_->addWidget(statusText_, 1);
  place(StatusBar1_, "StatusBar1", 0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight);
  for (int i = 0; i < 30; ++i) {
    np_[i] = new PositionMarker(int16_t(i), client_);
    np_[i]->setColour(i == 0 ? kCurrentMarkerColour : kMarkerColour);
    place(np_[i], Name("np", i), 10 + 20 * i, 120, 21, 11);
  }
  MMControl1_ = new QWidget(client_);
  place(MMControl1_, "MMControl1", 370, 310, 236, 31);
  MMControl1_->hide();
  Command2_ = new QPushButton(QStringLiteral("テスト演奏"), client_);
  place(Command2_, "Command2", 500, 170, 111, 31);

  for (size_t i = 1; i < tabOrder.size(); ++i) QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void MerinMain::Wire() {
  for (int16_t i = 0; i < 14; ++i) {
    connect(ken_[i], &QAbstractButton::clicked, this,
            [this, i] { Guard([&] { ken_Click(melody_, *this, i); }); });
  }
  for (int16_t i = 0; i < 10; ++i) {
    connect(bkey_[i], &QAbstractButton::clicked, this,
            [this, i] { Guard([&] { bkey_Click(melody_, *this, i); }); });
  }
  for (int i = 0; i < 30; ++i) {
    connect(Gosen_[i], &StaffCell::mouseDown, this,
            [this](int16_t Index, int16_t Button, int16_t Shift, float X, float Y) {
              Guard([&] { Gosen_MouseDown(melody_, *this, Index, Button, Shift, X, Y); });
            });
    connect(np_[i], &PositionMarker::clicked, this,
            [this](int16_t Index) { Guard([&] { np_Click(melody_, *this, Index); }); });
  }
  connect(PedalSW_, &QPushButton::clicked, this,
          [this] { Guard([&] { PedalSW_Click(melody_, *this); }); });
  connect(Command1_, &QPushButton::clicked, this,
          [this] { Guard([&] { Command1_Click(melody_, *this); }); });
  connect(Command2_, &QPushButton::clicked, this,
          [this] { Guard([&] { Command2_Click(melody_, *this, sound_); }); });
  connect(EndMenu_, &QAction::triggered, this, [this] { Guard([&] { EndMenu_Click(*this); }); });
}

void MerinMain::Load() {
  Guard([&] { Form_Load(melody_, *this, sound_); });
  history_->Forget();
}

void MerinMain::Guard(const std::function<void()>& handler) {
  try {
    history_->Record(handler);
  } catch (const PictureLoadError& error) {
    QMessageBox box(
        QMessageBox::Critical, windowTitle(),
        QStringLiteral("画像ファイルを読み込めません:\n%1\n\n%2")
            .arg(QString::fromStdString(error.path()), QString::fromStdString(error.what())),
        QMessageBox::Ok, this);
    // Only on Windows does a message box copy its text on Ctrl+C; elsewhere the path can be
    // selected and copied like any text.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
  }
}

void MerinMain::closeEvent(QCloseEvent* event) {
  Guard([&] { Form_Unload(sound_); });
  event->accept();
}

bool MerinMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) {
    StatusBar1_->setGeometry(0, client_->height() - kStatusHeight, client_->width(), kStatusHeight);
  }
  return QMainWindow::eventFilter(watched, event);
}

void MerinMain::ShowPicture(int32_t slot, const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  const QImage picture = reader.read();
  if (picture.isNull()) throw PictureLoadError(path, reader.errorString().toStdString());
  if (BitmapCutShort(reader.fileName())) {
    throw PictureLoadError(path, "the file ends before its picture does");
  }
  Gosen_.at(size_t(slot))->setPicture(picture);
}

void MerinMain::SetMarkerColour(int32_t slot, uint32_t colour) {
  np_.at(size_t(slot))->setColour(colour);
}

void MerinMain::SetStatusText(const std::string& text) {
  statusText_->setText(QString::fromStdString(text));
}

int32_t MerinMain::CellTop(int32_t slot) const { return Gosen_.at(size_t(slot))->y(); }

int32_t MerinMain::CellHeight(int32_t slot) const { return Gosen_.at(size_t(slot))->height(); }

void MerinMain::SetMarkerTop(int32_t slot, int32_t top) {
  PositionMarker* marker = np_.at(size_t(slot));
  marker->move(marker->x(), top);
}

void MerinMain::SetCellBorder(int32_t slot, int32_t style) {
  Gosen_.at(size_t(slot))->setBorderStyle(style);
}

void MerinMain::RepaintCell(int32_t slot) { Gosen_.at(size_t(slot))->repaint(); }

void MerinMain::SetTestPlayEnabled(bool enabled) { Command2_->setEnabled(enabled); }

void MerinMain::EndProgram() { QCoreApplication::exit(0); }

void MerinMain::replaceMelody(const SlotCodes& codes, int32_t cursor) {
  Guard([&] { ApplyMelody(melody_, *this, codes, cursor); });
}

QUndoStack* MerinMain::undoStack() const { return history_->stack(); }

ResultView& MerinMain::ObtainResultWindow() {
  if (!SoloutForm_) SoloutForm_ = std::make_unique<SoloutForm>();
  return *SoloutForm_;
}

}  // namespace merin::ui
