// Helpers of the windowed program's test suites: a fresh program per test in a working
// directory of its own (ProgramSuite), intercepted message boxes and beeps, and driving
// controls by name.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QList>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>

#include "engineconsole.h"
#include "events.h"
#include "exchange.h"
#include "form1.h"
#include "form2.h"
#include "messagebox.h"
#include "picturebox.h"
#include "program.h"

// Every message box shown while it lives, instead of a modal window; a question (icon Question)
// is answered with `answer`.
class MessageRecorder {
public:
    struct Box {
        QString text;
        QMessageBox::Icon icon;
    };
    MessageRecorder() {
        previous_ = SetMessageHook([this](const QString& t, QMessageBox::Icon i) {
            boxes.append({t, i});
            return answer;
        });
    }
    ~MessageRecorder() { SetMessageHook(previous_); }
    QList<Box> boxes;
    bool answer = false;  // いいえ, as Enter gives

private:
    MessageHook previous_;
};

// No test may block on a modal box, nor pass while one that it did not expect appears: a box
// that no recorder takes fails the running test.
inline const bool kNoModalBoxes = [] {
    SetMessageHook([](const QString& text, QMessageBox::Icon) {
        const QByteArray what = "unexpected message box: " + text.toUtf8();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
        return false;
    });
    return true;
}();

// Counts the beeps while it lives.
class BeepCounter {
public:
    BeepCounter() {
        previous_ = SetBeepHook([this] { ++count; });
    }
    ~BeepCounter() { SetBeepHook(previous_); }
    int count = 0;

private:
    std::function<void()> previous_;
};

// Makes a temporary directory the current one while it lives.
class WorkDir {
public:
    WorkDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~WorkDir() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool exists(const QString& name) const { return QFile::exists(file(name)); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The report of a file saved: the message, then the file's full path on a line of its own.
inline QString savedReport(const QString& message, const QString& path) {
    return message + QLatin1Char('\n') + QDir::toNativeSeparators(path);
}

template <typename T = QWidget>
T* control(QWidget* window, const char* name) {
    T* c = window->findChild<T*>(QLatin1String(name));
    if (!c) qFatal("no control %s in %s", name, qPrintable(window->objectName()));
    return c;
}

inline QString caption(QWidget* window, const char* name) {
    return control<QLabel>(window, name)->text();
}

// A mouse movement over a picture box at a pixel.
inline void moveMouse(PictureBox* picture, QPoint pixel) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pixel), picture->mapToGlobal(QPointF(pixel)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
}

// Counts runs of pixels of a colour along a pixel row (horizontal) or column.
inline int countRuns(const QImage& image, Qt::Orientation along, int at, QRgb color) {
    int runs = 0;
    bool inRun = false;
    const int n = along == Qt::Horizontal ? image.width() : image.height();
    for (int k = 0; k < n; ++k) {
        const QRgb p = along == Qt::Horizontal ? image.pixel(k, at) : image.pixel(at, k);
        const bool hit = (p & 0xffffff) == (color & 0xffffff);
        if (hit && !inRun) ++runs;
        inRun = hit;
    }
    return runs;
}

// A stand-in engine in the working directory: notes in "seen.txt" whether F2B.dat existed
// when it started, puts "table.txt" (if any) in place as F2B.dat at once, and ends with the
// given status.
inline void installFakeEngine(const WorkDir& dir, int status = 0) {
    dir.write(QStringLiteral("Fitcore"),
              QByteArray("#!/bin/sh\nif [ -e F2B.dat ]; then echo stale > seen.txt; else echo "
                         "fresh > seen.txt; fi\n[ -e table.txt ] && cp table.txt F2B.tmp && mv "
                         "F2B.tmp F2B.dat\nexit ") +
                  QByteArray::number(status) + "\n");
    QFile::setPermissions(dir.file(QStringLiteral("Fitcore")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// An engine console that is open, or none.
inline EngineConsole* findConsole() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<EngineConsole*>(w)) return c;
    return nullptr;
}

// Chooses a data file in the file-input dialog, as a user clicks it in the file list.
inline void clickFile(QWidget* dialog, const QString& name) {
    auto* files = control<QListWidget>(dialog, "File1");
    const QList<QListWidgetItem*> found = files->findItems(name, Qt::MatchExactly);
    if (found.size() != 1) qFatal("file %s not listed", qPrintable(name));
    files->scrollToItem(found[0]);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(found[0]).center());
}

// The fixture of a suite that drives the program: before each test a scratch working directory
// of its own (filled by `populate`), the default engine search path, and a fresh program whose
// title window has opened the main window `f`; after it, the program and the directory gone.
class ProgramSuite : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<WorkDir> dir;
    Form1* f = nullptr;
    // What the suite puts into the working directory before the program starts.
    virtual void populate(const WorkDir&) {}

private slots:
    void init() {
        dir = std::make_unique<WorkDir>();
        populate(*dir);
        SetEngineSearchPath({});
        ShutdownNodara();
        StartNodara();
        QVERIFY(form2()->isVisible());
        form2()->newCalculationButton->click();
        f = form1();
    }
    void cleanup() {
        ShutdownNodara();
        dir.reset();
    }
};

// Every visible caption of a window (labels with a text, buttons) is shown whole: at least as
// large as it asks to be, and inside the window.
inline void verifyCaptionsUnclipped(QWidget* window) {
    const QRect inside = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(w);
        const bool hasCaption = (label && !label->text().isEmpty() && !label->wordWrap()) ||
                                qobject_cast<QAbstractButton*>(w);
        if (!hasCaption || !w->isVisibleTo(window)) continue;
        const QByteArray what = window->objectName().toUtf8() + "." + w->objectName().toUtf8() +
                                " " + (label ? label->text() : QString()).toUtf8();
        QVERIFY2(
            w->width() >= w->sizeHint().width() && w->height() >= w->minimumSizeHint().height(),
            what.constData());
        QVERIFY2(inside.contains(QRect(w->mapTo(window, QPoint(0, 0)), w->size())),
                 what.constData());
    }
}
