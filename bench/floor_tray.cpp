// The toolkit's floor: a bare Qt tray program with one 16x16 icon and nothing else. The idle
// cost of the real program is compared against this one in the same desktop.
#include <QApplication>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QPixmap face(16, 16);
    face.fill(QColor(0, 128, 0));
    QSystemTrayIcon icon{QIcon(face)};
    icon.show();
    return app.exec();
}
