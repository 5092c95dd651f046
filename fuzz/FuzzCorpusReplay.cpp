// Runs a fuzz target once on every file of the given corpus folders (or files), in name order,
// so that each input a fuzzer ever kept is checked again on every build.

#include "FuzzSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(path).isDir()) {
            QDirIterator files(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (files.hasNext())
                inputs.append(files.next());
        } else {
            inputs.append(path);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.isEmpty()) {
        std::fprintf(stderr, "no corpus input found\n");
        return 1;
    }
    for (const QString &input : std::as_const(inputs)) {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(input));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(input));
        LLVMFuzzerTestOneInput(
            reinterpret_cast<const std::uint8_t *>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
    }
    std::fprintf(stderr, "%lld inputs passed\n", static_cast<long long>(inputs.size()));
    return 0;
}
