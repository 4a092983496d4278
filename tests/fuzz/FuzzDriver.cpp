// Runs a fuzz target without libFuzzer: every file of the corpus folder given as the argument,
// then generated inputs (each corpus file cut short, bytes flipped, random bytes), all with a
// fixed seed so a failure repeats.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void feed(const QByteArray &bytes)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           size_t(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<QByteArray> corpus;
    if (argc > 1) {
        const QDir dir(QString::fromLocal8Bit(argv[1]));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                corpus.append(f.readAll());
        }
    }
    std::mt19937 rng(20261210);
    int runs = 0;
    for (const QByteArray &seed : corpus) {
        feed(seed);
        ++runs;
        for (qsizetype cut = 0; cut < seed.size(); cut += std::max<qsizetype>(1, seed.size() / 64)) {
            feed(seed.left(cut));
            ++runs;
        }
        for (int i = 0; i < 200 && !seed.isEmpty(); ++i) {
            QByteArray m = seed;
            for (int flips = 1 + int(rng() % 4); flips > 0; --flips)
                m[qsizetype(rng() % quint32(m.size()))] = char(rng());
            feed(m);
            ++runs;
        }
    }
    for (int i = 0; i < 500; ++i) {
        QByteArray r(qsizetype(rng() % 512), Qt::Uninitialized);
        for (char &c : r)
            c = char(rng());
        feed(r);
        ++runs;
    }
    std::printf("%d inputs run\n", runs);
    return 0;
}
