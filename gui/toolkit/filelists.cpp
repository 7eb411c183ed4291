// Drive, directory and file lists of the file dialogs.
#include "filelists.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// The depth of a directory entry below the root.
constexpr int kDepthRole = Qt::UserRole + 1;

// Indents each entry by its depth in units of the font's height, so that a name in Japanese
// stands as far in as one in Latin letters (blanks before it would take the width of whichever
// font draws the name).
class DepthIndent : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted = option;
        shifted.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

private:
    static int indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
        return index.data(kDepthRole).toInt() * option.fontMetrics.height() * 3 / 4;
    }
};
}  // namespace

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
    setItemDelegate(new DepthIndent(this));
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        setPath(item->data(Qt::UserRole).toString());
        emit changed();
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
        auto* item = new QListWidgetItem(label, this);
        item->setData(Qt::UserRole, p);
        item->setData(kDepthRole, depth);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList subdirs =
        QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& s : subdirs) {
        auto* item = new QListWidgetItem(s, this);
        item->setData(Qt::UserRole, QDir(path_).filePath(s));
        item->setData(kDepthRole, depth);
    }
}

FileListBox::FileListBox(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit clicked(item->text()); });
    // Return on the file chosen with the arrow keys, or a double click, takes it as a click does.
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit clicked(item->text());
        emit activated(item->text());
    });
}

void FileListBox::showEvent(QShowEvent* event) {
    // Files may have come or gone while the window was away.
    refresh();
    QListWidget::showEvent(event);
}

bool FileListBox::offers(const QString& fileName) const {
    if (excluded_.contains(fileName)) return false;
    for (const QString& pattern : patterns_)
        if (QDir::match(pattern, fileName)) return true;
    return false;
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

QString DroppedDataFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
    const QUrl url = mime->urls().constFirst();
    if (!url.isLocalFile()) return {};
    const QString path = url.toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"csv" || suffix == u"dat" ? path : QString();
}

void ShowDirectoryOfDrive(DriveListBox* drive, DirListBox* dir, FileListBox* files) {
    dir->setPath(DriveListBox::currentDirectoryOf(drive->drive()));
    ShowFilesOfDirectory(dir, files);
}

void ShowFilesOfDirectory(DirListBox* dir, FileListBox* files) { files->setPath(dir->path()); }

QVBoxLayout* FileListsColumn(DriveListBox* drive, DirListBox* dir, FileListBox* files) {
    auto* column = new QVBoxLayout;
    column->addWidget(drive);
    column->addWidget(dir, 1);
    column->addWidget(files, 1);
    return column;
}
