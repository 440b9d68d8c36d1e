// SPDX-License-Identifier: MIT
#include "ui/soloutform.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QShortcut>

#include "ui/languageswitch.h"

namespace merin::ui {

SoloutForm::SoloutForm() : text1_(new QPlainTextEdit(this)) {
  setObjectName("SoloutForm");
  Translate(this, [this] { setWindowTitle(tr("変換結果")); });
  resize(464, 293);
  text1_->setObjectName("Text1");
  text1_->setGeometry(0, 0, 461, 291);
  text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Closed from the keyboard as the キー操作 window is.
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
  }
}

std::string SoloutForm::Text() const {
  return text1_->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n")).toStdString();
}

void SoloutForm::SetText(const std::string& text) {
  text1_->setPlainText(
      QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void SoloutForm::ShowModal() {
  QEventLoop loop;
  connect(this, &SoloutForm::closed, &loop, &QEventLoop::quit);
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  text1_->setFocus();
  loop.exec();
}

void SoloutForm::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace merin::ui
