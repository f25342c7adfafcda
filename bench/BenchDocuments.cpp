#include "BenchDocuments.h"

#include <malloc.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <stdexcept>

#include "support/LargeDocuments.h"

namespace tavelo::bench {
namespace {

std::vector<BenchDocument> writeDocuments() {
    namespace docs = testing::large_documents;
    static QTemporaryDir folder;
    std::vector<BenchDocument> documents{
        {"full", docs::fullLines(), {}},
        {"lines", docs::thousandShortLines(), {}},
        {"typical", docs::typical(), {}},
    };
    for (BenchDocument& document : documents) {
        const QString path = folder.filePath(QString::fromStdString(document.name + ".tl2"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(document.bytes.data(), static_cast<qint64>(document.bytes.size())) !=
                static_cast<qint64>(document.bytes.size()))
            throw std::runtime_error("cannot write " + path.toStdString());
        document.path = path.toStdU16String();
    }
    return documents;
}

}  // namespace

const std::vector<BenchDocument>& benchDocuments() {
    static const std::vector<BenchDocument> documents = writeDocuments();
    return documents;
}

const BenchDocument& benchDocument(const std::string& name) {
    for (const BenchDocument& document : benchDocuments())
        if (document.name == name) return document;
    throw std::invalid_argument("no benchmark document " + name);
}

long residentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

long heapBytesInUse() {
    return static_cast<long>(mallinfo2().uordblks);
}

}  // namespace tavelo::bench
