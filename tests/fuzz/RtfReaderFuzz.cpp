// libFuzzer target for the RTF reader: any bytes must give a document
// without a crash, a hang or a sanitizer report. What the reader made is
// written back and read again, and must keep its text, so the writer is
// fuzzed too.
#include "components/RtfReader.h"
#include "components/RtfWriter.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    components::RtfReader::read(input, doc);
    const QByteArray written = components::RtfWriter::write(doc);
    QTextDocument again;
    components::RtfReader::read(written, again);
    if (again.toPlainText() != doc.toPlainText()) {
        auto units = [](const QString& text) {
            QByteArray hex;
            for (const QChar c : text)
                hex += QByteArray::number(c.unicode(), 16) + ' ';
            return hex;
        };
        std::fprintf(stderr, "text changed on a round trip:\n%s\n%s\n%s\n",
                     units(doc.toPlainText()).constData(), units(again.toPlainText()).constData(),
                     written.constData());
        std::abort();
    }
    return 0;
}
