// SPDX-License-Identifier: MIT
#include "ui/filedialogwords.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace merin::ui {
namespace {

// The columns name, size, type and date of the file dialog's list, the last three in the
// default locale, which the window's language sets.
class FileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() < 1 || index.column() > 3) {
      return QIdentityProxyModel::data(index, role);
    }
    const QFileInfo info = files->fileInfo(mapToSource(index));
    switch (index.column()) {
      case 1:
        return info.isDir() ? QString() : QLocale().formattedDataSize(info.size());
      case 2:
        return info.isDir() ? QCoreApplication::translate("merin::ui::FileColumns", "フォルダ")
                            : QIdentityProxyModel::data(index, role);
      default:
        return QLocale().toString(info.lastModified(), QLocale::ShortFormat);
    }
  }
};

}  // namespace

void SpeakTheWindowsLanguage(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setProxyModel(new FileColumns(&dialog));
}

}  // namespace merin::ui
