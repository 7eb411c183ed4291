// Form6, the viewer of saved interpolated tables: choose a saved file, see its curve in its own
// scale mode and axis settings, add its data points, read the curve under the mouse, and go on
// to equal-interval tables or a bitmap of the picture.
#pragma once

#include <QWidget>
#include <memory>

#include "readoutpanel.h"
#include "savedtable.h"

class QAction;
class QLabel;
class QPushButton;
class QVBoxLayout;
class DirListBox;
class DriveListBox;
class FileListBox;
class PictureBox;

class Form6 : public QWidget {
    Q_OBJECT
public:
    Form6();

    // What the title window does before showing the viewer: the directory list at its drive's
    // current directory, the file list there, the picture cleared, the read-out hidden and
    // emptied, every button but the file lists' disabled.
    void prepare();

    QLabel* headingLabel;
    QLabel* chooseFileLabel;
    DriveListBox* driveList;
    DirListBox* folderList;
    FileListBox* fileList;
    QPushButton* drawGraphButton;
    QPushButton* drawPointsButton;
    QPushButton* equalIntervalButton;
    QPushButton* resetButton;
    QPushButton* endButton;
    QPushButton* saveImageButton;
    PictureBox* graphPicture;
    QAction* CopyGraph;
    QAction* CopyData;

    void showDriveFolders();
    void showFolderFiles();
    void chooseFile();
    void drawGraph();
    void leaveViewer();
    void resetViewer();
    void drawPoints();
    void openEqualInterval();
    void saveImage();
    void followMouse(int button, int shift, float x, float y);
    // The read-out's cursor lines and texts on a point of the curve (exchange space).
    void markCurvePoint(double x, double y);
    QAction* CurveValues;  // opens the curve's 曲線の値 window

    // The saved table whose graph the picture shows, or none. It is the viewer's own: nothing of
    // it reaches the main window's table or points.
    std::shared_ptr<const ViewedTable> shown() const { return shown_; }
    // The drive its file lists stand on; the equal-interval dialog's save lists start there.
    QString drive() const;

signals:
    // The table shown is no longer on screen: another was drawn, or a reset or the end of the
    // viewer cleared the picture. What acts on that table stops.
    void shownTableGone();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QVBoxLayout* buildFileChooser();  // heading, file lists and the buttons under them
    QVBoxLayout* buildGraph();        // the picture and its read-out row
    void connectControls();           // lists, buttons and picture to their handlers
    void addGraphActions();           // the picture's values window and copy actions

    // The picture empty, the read-out off and no table shown; only the file lists usable.
    void clearShown();

    GraphPanel graph_;
    std::shared_ptr<const ViewedTable> shown_;
    bool curveReady_ = false;  // the read-out follows the mouse
    QString drawnName_;        // the file whose graph the picture shows
};
