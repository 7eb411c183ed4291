// The three linked file-system lists of the file dialogs: drives (mounted volumes),
// directories (the path's ancestors and its subdirectories) and files matching a pattern.
#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

class QMimeData;
class QVBoxLayout;

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(const QString& name, QWidget* parent = nullptr);
    // Root path of the chosen volume; initially the one holding the current directory.
    QString drive() const;
    void setDrive(const QString& rootPath);
    // The directory a drive starts in: the current directory when it lies on that drive,
    // otherwise the drive's root.
    static QString currentDirectoryOf(const QString& rootPath);
    // The root of the volume holding a path; the file system's root when that volume cannot
    // be read (in a chroot or a minimal container).
    static QString volumeRootOf(const QString& path);
    // The roots offered: the readable volumes' and always the one holding the current
    // directory, sorted, each once.
    static QStringList driveRoots(const QStringList& readableRoots, const QString& current);

signals:
    void changed();
};

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(const QString& name, QWidget* parent = nullptr);
    QString path() const { return path_; }
    // Shows the path's ancestors from the root down, then its subdirectories, each indented by
    // its depth (a fixed width, whatever script its name is in); a double click (or Enter) on an
    // entry opens it, and opening the directory shown again reports it again, so that its file
    // list is read anew.
    void setPath(const QString& path);

signals:
    void changed();

private:
    QString path_;
};

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(const QString& name, QWidget* parent = nullptr);
    // Patterns separated by ';', such as "*.dat;*.csv".
    void setPattern(const QString& pattern);
    // Names never listed, whatever the pattern.
    void setExcluded(const QStringList& names);
    QString path() const { return path_; }
    void setPath(const QString& path);
    // Reads the directory again; also whenever the list is shown.
    void refresh();
    // The selected file's name, or an empty text.
    QString fileName() const;
    // Whether a file of this name would be listed: it matches a pattern and is not excluded.
    bool offers(const QString& fileName) const;

signals:
    // A single click on a file, or Return or a double click on the one chosen.
    void clicked(const QString& fileName);
    // Return or a double click on a file (after `clicked`).
    void activated(const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString path_;
    QStringList patterns_;
    QStringList excluded_;
};

// The linked lists of a file dialog: the directory list at the drive's current directory and the
// file list at that directory (a drive chosen), or the file list at the directory list's
// directory (a directory chosen).
void ShowDirectoryOfDrive(DriveListBox* drive, DirListBox* dir, FileListBox* files);
void ShowFilesOfDirectory(DirListBox* dir, FileListBox* files);
// The three lists one above the other, the directory and file lists taking the spare height.
QVBoxLayout* FileListsColumn(DriveListBox* drive, DirListBox* dir, FileListBox* files);

// The one local data file (*.csv or *.dat) that a drag carries, or an empty text when it
// carries anything else.
QString DroppedDataFile(const QMimeData* mime);
