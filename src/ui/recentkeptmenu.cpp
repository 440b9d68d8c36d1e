// SPDX-License-Identifier: MIT
// MelodyFiles: the recent files and the kept melodies, and their menus.
#include "ui/melodyfiles.h"
#include "ui/melodyfilesshared.h"

#include <QAction>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include <QMainWindow>
#include "core/melodyedit.h"
#include "entry/mainlayout.h"
#include "formats/slots.h"
#include "ui/languageswitch.h"
#include "ui/melodykeeper.h"
#include "ui/recentfiles.h"

namespace merin::ui {

using namespace melodyfiles;

void MelodyFiles::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = RecentFiles::list();
  for (int i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    QString caption = Shown(path);
    caption.replace('&', QStringLiteral("&&"));
    auto* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
    action->setObjectName(QStringLiteral("Recent%1").arg(i));
    action->setData(path);
    // A file that is gone (or on a medium not mounted now) stays listed, greyed.
    action->setEnabled(QFileInfo(path).isFile());
    connect(action, &QAction::triggered, this, [this, path] { open(path); });
  }
  recentMenu_->setEnabled(!files.isEmpty());
}

QString MelodyFiles::keptCaption(const MelodyKeeper::Kept& kept) {
  QString caption = QLocale().toString(kept.written, QLocale::ShortFormat) + "  " +
                    QString::fromStdString(formats::FirstNotes(kept.codes));
  if (!kept.title.empty()) caption += "  " + tr("「%1」").arg(Text(kept.title));
  return caption;
}

void MelodyFiles::fillKeptMenu() {
  keptMenu_->clear();
  const auto kept = MelodyKeeper::newest(kKeptListed);
  for (size_t i = 0; i < kept.size(); ++i) {
    QString caption = keptCaption(kept[i]);
    caption.replace('&', QStringLiteral("&&"));
    auto* action = keptMenu_->addAction(caption);
    action->setObjectName(QStringLiteral("Kept%1").arg(i));
    connect(action, &QAction::triggered, this, [this, melody = kept[i]] { openKept(melody); });
  }
  keptMenu_->setEnabled(!kept.empty());
}

void MelodyFiles::openKept(const MelodyKeeper::Kept& kept) {
  current_.clear();
  suggested_.clear();
  showCaption();
  showMelody(kept.codes, kept.title);
}

void MelodyFiles::restoreKept(const MelodyKeeper::Kept& kept) {
  current_ = kept.file.path;
  digest_ = kept.file.digest;
  suggested_.clear();
  showMelody(kept.codes, kept.title);
  showCaption();
}

void MelodyFiles::offerLeftWork() {
  const auto left = MelodyKeeper::leftByEndedRun();
  if (!left || window_.findChild<QWidget*>("RestoreBar")) return;
  // A bar between the markers and the keyboard, where it hides no control, whose buttons take
  // the focus from Tab alone: composing goes on while it is there.
  auto* bar = new QFrame(&window_);
  bar->setObjectName("RestoreBar");
  bar->setFocusPolicy(Qt::NoFocus);
  bar->setStyleSheet(QStringLiteral("#RestoreBar { background: #ffffe0; }"));
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(6, 2, 6, 2);
  auto* words = new QLabel(bar);
  auto* restore = new QPushButton(bar);
  auto* dismiss = new QPushButton(QStringLiteral("×"), bar);
  restore->setObjectName("RestoreButton");
  dismiss->setObjectName("DismissButton");
  // Tab reaches the buttons after テスト演奏; a click leaves the focus where it was.
  for (QPushButton* button : {restore, dismiss}) button->setFocusPolicy(Qt::TabFocus);
  // Fixed widths put the buttons at the same place in either language.
  restore->setFixedWidth(kRestoreWidth);
  dismiss->setFixedWidth(kDismissWidth);
  layout->addWidget(words, 1);
  layout->addWidget(restore);
  layout->addWidget(dismiss);
  Translate(bar, [bar, words, restore, dismiss, kept = *left] {
    // The melody named by its time, first notes and title, and its file.
    QString melody = keptCaption(kept);
    if (!kept.file.path.isEmpty()) melody += "  " + Shown(QFileInfo(kept.file.path).fileName());
    const QString said = tr("前回の作業が残っています") + QStringLiteral(": ") + melody;
    words->setText(words->fontMetrics().elidedText(said, Qt::ElideRight, kLeftWorkWidth));
    words->setToolTip(said);
    words->setAccessibleName(said);
    bar->setAccessibleName(said);
    restore->setText(tr("戻す"));
    restore->setAccessibleDescription(said);
    dismiss->setAccessibleName(tr("前回の作業を捨てる"));
    dismiss->setToolTip(dismiss->accessibleName());
  });
  const QString path = left->path;
  connect(restore, &QPushButton::clicked, this, [this, bar, kept = *left] {
    restoreKept(kept);
    MelodyKeeper::markClosed(kept.path);
    bar->deleteLater();
  });
  connect(dismiss, &QPushButton::clicked, this, [bar, path] {
    MelodyKeeper::markClosed(path);
    bar->deleteLater();
  });
  const FreeRows rows = FreeRowsBelowStaff();
  bar->setGeometry(0, window_.menuBar()->height() + rows.top + 2, window_.width(),
                   std::min(bar->sizeHint().height(), rows.bottom - rows.top - 4));
  bar->show();
}

void MelodyFiles::keepMelodyNow() { keeper_->flush(); }

}  // namespace merin::ui
