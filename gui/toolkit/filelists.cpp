// Drive, directory and file lists of the file dialogs.
#include "filelists.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

DriveListBox::DriveListBox(const QString& name, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    const QString home = QStorageInfo(QDir::currentPath()).rootPath();
    if (!roots.contains(home)) roots.prepend(home);
    roots.sort();
    for (const QString& root : roots) addItem(QDir::toNativeSeparators(root), root);
    setDrive(home);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit changed(); });
}

QString DriveListBox::drive() const { return currentData().toString(); }

void DriveListBox::setDrive(const QString& rootPath) {
    const int i = findData(rootPath);
    if (i >= 0) setCurrentIndex(i);
}

QString DriveListBox::currentDirectoryOf(const QString& rootPath) {
    const QString current = QDir::currentPath();
    if (QStorageInfo(current).rootPath() == rootPath) return current;
    return rootPath;
}

DirListBox::DirListBox(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target = item->data(Qt::UserRole).toString();
        if (target != path_) {
            setPath(target);
            emit changed();
        }
    });
}

void DirListBox::setPath(const QString& path) {
    path_ = QDir(path).absolutePath();
    clear();
    QStringList chain;
    for (QDir d(path_);;) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp()) break;
    }
    int depth = 0;
    for (const QString& p : chain) {
        const QString label =
            QDir(p).isRoot() ? QDir::toNativeSeparators(p) : QFileInfo(p).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + label, this);
        item->setData(Qt::UserRole, p);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList subdirs =
        QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& s : subdirs) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + s, this);
        item->setData(Qt::UserRole, QDir(path_).filePath(s));
    }
}

FileListBox::FileListBox(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit clicked(item->text()); });
}

void FileListBox::setPattern(const QString& pattern) {
    patterns_ = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    refresh();
}

void FileListBox::setPath(const QString& path) {
    path_ = QDir(path).absolutePath();
    refresh();
}

void FileListBox::refresh() {
    clear();
    if (path_.isEmpty()) return;
    addItems(QDir(path_).entryList(patterns_, QDir::Files, QDir::Name));
}

QString FileListBox::fileName() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}
