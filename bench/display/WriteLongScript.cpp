// Writes a zh-TW script of about the given number of characters (sections, paragraphs, CJK
// sentences with some Latin words) for the whole-program benchmark.
//   write_long_script <path> <characters>

#include "ScriptTextGenerator.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool isNumber = false;
    const qint64 characters = arguments.size() == 3 ? arguments[2].toLongLong(&isNumber) : 0;
    if (!isNumber || characters <= 0) {
        std::fputs("usage: write_long_script <path> <characters>\n", stderr);
        return 2;
    }
    QFile file(arguments[1]);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(lumetra::testing::longScript(characters).toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments[1]));
        return 1;
    }
    return 0;
}
