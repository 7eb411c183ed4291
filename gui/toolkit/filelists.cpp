// Drive, directory and file lists of the file dialogs.
#include "filelists.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

QString DriveListBox::volumeRootOf(const QString& path) {
    const QStorageInfo volume(path);
    return volume.isValid() && !volume.rootPath().isEmpty() ? volume.rootPath() : QDir::rootPath();
}

QStringList DriveListBox::driveRoots(const QStringList& readableRoots, const QString& current) {
    QStringList roots;
    for (const QString& root : readableRoots)
        if (!root.isEmpty() && !roots.contains(root)) roots.append(root);
    if (!roots.contains(current)) roots.append(current);
    roots.sort();
    return roots;
}

DriveListBox::DriveListBox(const QString& name, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    QStringList readable;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) readable.append(volume.rootPath());
    const QString home = volumeRootOf(QDir::currentPath());
    for (const QString& root : driveRoots(readable, home))
        addItem(QDir::toNativeSeparators(root), root);
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
    if (volumeRootOf(current) == rootPath) return current;
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

void FileListBox::setExcluded(const QStringList& names) {
    excluded_ = names;
    refresh();
}

void FileListBox::setPath(const QString& path) {
    path_ = QDir(path).absolutePath();
    refresh();
}

void FileListBox::refresh() {
    clear();
    if (path_.isEmpty()) return;
    for (const QString& name : QDir(path_).entryList(patterns_, QDir::Files, QDir::Name))
        if (!excluded_.contains(name)) addItem(name);
}

QString FileListBox::fileName() const {
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}
