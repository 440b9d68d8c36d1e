// SPDX-License-Identifier: MIT
#include "ui/editcontrols.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "ui/edithistory.h"
#include "ui/languageswitch.h"
#include "ui/melodykeeper.h"
#include "ui/pianokeys.h"

namespace merin::ui {

const std::vector<KeyTableRow> kKeyTable = {
    {"Z X C V B N M",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "白鍵 C4〜B4（下のオクターブ）")},
    {"S D G H J", QT_TRANSLATE_NOOP("merin::ui::EditControls", "黒鍵 C#4〜A#4")},
    {"Q W E R T Y U",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "白鍵 C5〜B5（上のオクターブ）")},
    {"2 3 5 6 7", QT_TRANSLATE_NOOP("merin::ui::EditControls", "黒鍵 C#5〜A#5")},
    {"0", QT_TRANSLATE_NOOP("merin::ui::EditControls", "休符ペダル")},
    {"← →",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "前 / 次のスロットへ（30 と 1 はつながる）")},
    {"Home / End",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "最初のスロット / 最後の音の次のスロットへ")},
    {"Delete",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "今のスロットを消す（右クリックと同じ）")},
    {"Insert",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "今のスロットに空きを挿入し、後ろを右へずらす")},
    {"Ctrl+Delete",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "今のスロットを削除し、後ろを左へ詰める")},
    {"Ctrl+↑ / Ctrl+↓", QT_TRANSLATE_NOOP("merin::ui::EditControls", "移調: 半音上げる / 下げる")},
    {"Ctrl+Shift+↑ / ↓",
     QT_TRANSLATE_NOOP("merin::ui::EditControls", "移調: 1 オクターブ上げる / 下げる")},
    {"Ctrl+Z", QT_TRANSLATE_NOOP("merin::ui::EditControls", "元に戻す")},
    {"Ctrl+Y / Ctrl+Shift+Z", QT_TRANSLATE_NOOP("merin::ui::EditControls", "やり直し")},
};

namespace {

// The window's menu with `objectName`, made with `caption` when there is none yet.
QMenu* MenuOf(QMainWindow* window, const char* objectName, const char* caption) {
  if (auto* menu = window->menuBar()->findChild<QMenu*>(objectName)) return menu;
  QMenu* menu = window->menuBar()->addMenu(QString());
  menu->setObjectName(objectName);
  Translate(window, [menu, caption] { menu->setTitle(EditControls::tr(caption)); });
  return menu;
}

}  // namespace

EditControls::EditControls(QMainWindow* window, EditHistory& history, Act act)
    : QObject(window), window_(window), act_(std::move(act)) {
  QUndoStack* stack = history.stack();
  QMenu* editMenu = MenuOf(window, "Editmenu", QT_TR_NOOP("編集(&E)"));
  // Undo and redo go first, whatever the menu already holds goes after the editing items.
  const QList<QAction*> earlier = editMenu->actions();
  for (QAction* action : earlier) editMenu->removeAction(action);
  QAction* undo = add(editMenu, "UndoMenu", QT_TR_NOOP("元に戻す(&U)"),
                      {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [stack] { stack->undo(); });
  QAction* redo =
      add(editMenu, "RedoMenu", QT_TR_NOOP("やり直し(&R)"),
          {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
          [stack] { stack->redo(); });
  undo->setEnabled(stack->canUndo());
  redo->setEnabled(stack->canRedo());
  connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  editMenu->addSeparator();

  add(editMenu, "ClearMenu", QT_TR_NOOP("消去(&L)"), {QKeySequence(Qt::Key_Delete)},
      [this] { act_(&Session::Clear); });
  add(editMenu, "InsertMenu", QT_TR_NOOP("挿入(&I)"), {QKeySequence(Qt::Key_Insert)},
      [this] { act_(&Session::Insert); });
  add(editMenu, "RemoveMenu", QT_TR_NOOP("削除(&D)"), {QKeySequence(Qt::CTRL | Qt::Key_Delete)},
      [this] { act_(&Session::Remove); });
  QMenu* transpose = editMenu->addMenu(QString());
  transpose->setObjectName("TransposeMenu");
  Translate(window, [transpose] { transpose->setTitle(tr("移調(&T)")); });
  struct Shift {
    const char* name;
    const char* caption;
    QKeyCombination key;
    int semitones;
  };
  for (const Shift& s :
       {Shift{"SemitoneUpMenu", QT_TR_NOOP("半音上げる"), Qt::CTRL | Qt::Key_Up, 1},
        Shift{"SemitoneDownMenu", QT_TR_NOOP("半音下げる"), Qt::CTRL | Qt::Key_Down, -1},
        Shift{"OctaveUpMenu", QT_TR_NOOP("1 オクターブ上げる"), Qt::CTRL | Qt::SHIFT | Qt::Key_Up,
              12},
        Shift{"OctaveDownMenu", QT_TR_NOOP("1 オクターブ下げる"),
              Qt::CTRL | Qt::SHIFT | Qt::Key_Down, -12}}) {
    const int semitones = s.semitones;
    add(transpose, s.name, s.caption, {QKeySequence(s.key)}, [this, semitones] {
      act_([semitones](Session& session) { return session.Transpose(semitones); });
    });
  }

  if (!earlier.isEmpty()) editMenu->addSeparator();
  editMenu->addActions(earlier);

  // The cursor keys: shortcuts of the window, in no menu.
  struct Move {
    const char* name;
    const char* caption;
    Qt::Key key;
    session::Where where;
  };
  for (const Move& m :
       {Move{"PreviousSlot", QT_TR_NOOP("前のスロット"), Qt::Key_Left, session::Where::Previous},
        Move{"NextSlot", QT_TR_NOOP("次のスロット"), Qt::Key_Right, session::Where::Next},
        Move{"FirstSlot", QT_TR_NOOP("最初のスロット"), Qt::Key_Home, session::Where::First},
        Move{"EndSlot", QT_TR_NOOP("最後の音の次のスロット"), Qt::Key_End, session::Where::End}}) {
    const session::Where where = m.where;
    add(nullptr, m.name, m.caption, {QKeySequence(m.key)},
        [this, where] { act_([where](Session& session) { return session.Select(where); }); });
  }

  QMenu* help = MenuOf(window, "Helpmenu", QT_TR_NOOP("ヘルプ(&H)"));
  add(help, "KeysMenu", QT_TR_NOOP("キー操作(&K)"), {}, [this] { showKeyTable(); });
  // The last item of the help menu, put there by the window once the others are in.
  add(nullptr, "AboutMenu", QT_TR_NOOP("Merinkast98 について(&A)"), {}, [this] { showAbout(); });

  new PianoKeys(
      window, [window](PianoKey key) { return ButtonOfKey(window, key); },
      [this](PianoKey key) { act_([key](Session& session) { return session.Key(key); }); });
}

QAction* EditControls::add(QMenu* menu, const QString& objectName, const char* caption,
                           const QList<QKeySequence>& keys, std::function<void()> act) {
  auto* action = new QAction(window_);
  Translate(window_, [action, caption] { action->setText(tr(caption)); });
  action->setObjectName(objectName);
  action->setShortcuts(keys);
  connect(action, &QAction::triggered, this, std::move(act));
  if (menu) {
    menu->addAction(action);
  } else {
    window_->addAction(action);
  }
  return action;
}

void EditControls::showAbout() {
  QMessageBox box(
      QMessageBox::Information, tr("Merinkast98 について"),
      tr("Merinkast98 %1\nDoCoMo 携帯電話の着信メロディ作曲支援\n\n"
         "MIT ライセンスの自由なソフトウェアです。\n\n"
         "作業中と保管されたメロディの置き場所:\n%2")
          .arg(QStringLiteral(MERIN_VERSION), QDir::toNativeSeparators(MelodyKeeper::folder())),
      QMessageBox::Ok, window_);
  box.setObjectName("About");
  box.setIconPixmap(window_->windowIcon().pixmap(64));
  box.exec();
}

void EditControls::showKeyTable() {
  if (!keyTable_) {
    keyTable_ = new QDialog(window_);
    keyTable_->setObjectName("KeyTable");
    auto* table = new QTableWidget(int(kKeyTable.size()), 2, keyTable_);
    table->setObjectName("KeyTableRows");
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    Translate(keyTable_, [this, table] {
      keyTable_->setWindowTitle(tr("キー操作"));
      table->setHorizontalHeaderLabels({tr("キー"), tr("はたらき")});
      for (size_t row = 0; row < kKeyTable.size(); ++row) {
        table->setItem(int(row), 0, new QTableWidgetItem(QString::fromUtf8(kKeyTable[row].keys)));
        table->setItem(int(row), 1, new QTableWidgetItem(tr(kKeyTable[row].does)));
      }
      table->resizeColumnsToContents();
      // As wide as its text, in either language, so that nothing scrolls sideways.
      const int width = table->columnWidth(0) + table->columnWidth(1) + 2 * table->frameWidth() +
                        table->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 24;
      keyTable_->resize(std::max(460, width), 420);
    });
    table->horizontalHeader()->setStretchLastSection(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* layout = new QVBoxLayout(keyTable_);
    layout->addWidget(table);
  }
  keyTable_->show();
  keyTable_->raise();
  keyTable_->activateWindow();
}

}  // namespace merin::ui
