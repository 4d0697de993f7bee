// Prints the MIME type Qt's database gives the file named as the argument (used by
// scripts/check-install.sh against the staged MIME package).
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromLocal8Bit(argv[1]));
    std::printf("%s\n", qPrintable(type.name()));
    return 0;
}
