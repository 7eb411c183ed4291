// Nodara: the windowed program; it starts with the title window.
#include <QApplication>

#include "program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    StartNodara();
    return app.exec();
}
