#include "followinghasher.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>
#include <thread>

using haulmoor::FollowingHasher;

namespace {

constexpr int kPiece = static_cast<int>(FollowingHasher::kPieceBytes);

std::string hexSha256(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex().toStdString();
}

QByteArray patterned(int size, int seed)
{
    QByteArray data(size, Qt::Uninitialized);
    quint32 state = static_cast<quint32>(seed) * 2654435761u + 1;
    for (int i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        data[i] = static_cast<char>(state >> 24);
    }
    return data;
}

// Writes data in pieces of the given length, telling the hasher after each.
void writeInPieces(std::FILE* file, FollowingHasher& hasher, const QByteArray& data, int pieceLength)
{
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 length = std::min<qint64>(pieceLength, data.size() - written);
        QCOMPARE(std::fwrite(data.constData() + written, 1, static_cast<std::size_t>(length), file),
                 static_cast<std::size_t>(length));
        written += length;
        hasher.grewTo(written);
    }
}

std::FILE* openUnbuffered(const QString& path)
{
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (file)
        std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

} // namespace

class FollowingHasherTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("package.zip"));
    }

    void matchesTheWholeFileWhateverThePieces_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("pieceLength");
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("one byte") << 1 << 1;
        QTest::newRow("just under a hashing piece") << kPiece - 1 << 16384;
        QTest::newRow("exactly one hashing piece") << kPiece << kPiece;
        QTest::newRow("odd writes across pieces") << 3 * kPiece + 777 << 12345;
        QTest::newRow("curl-sized writes, 8 MiB") << 8 * 1024 * 1024 << 131072;
    }

    void matchesTheWholeFileWhateverThePieces()
    {
        QFETCH(int, size);
        QFETCH(int, pieceLength);
        const QByteArray data = patterned(size, size);
        std::FILE* file = openUnbuffered(m_path);
        QVERIFY(file);
        FollowingHasher hasher;
        QVERIFY(hasher.start(m_path.toStdString()));
        // The writer runs on its own thread, as the download does.
        std::thread writer([&] { writeInPieces(file, hasher, data, pieceLength); });
        writer.join();
        QCOMPARE(hasher.finish(), hexSha256(data));
        std::fclose(file);
    }

    void aStartAgainHashesOnlyTheNewFile()
    {
        // A package that changed between tries is written again from 0.
        const QByteArray before = patterned(2 * kPiece + 5, 1);
        const QByteArray after = patterned(kPiece + 9, 2);
        FollowingHasher hasher;
        std::FILE* file = openUnbuffered(m_path);
        QVERIFY(file);
        QVERIFY(hasher.start(m_path.toStdString()));
        writeInPieces(file, hasher, before, 1000);
        std::fclose(file);

        file = openUnbuffered(m_path);
        QVERIFY(file);
        QVERIFY(hasher.start(m_path.toStdString()));
        writeInPieces(file, hasher, after, 4096);
        QCOMPARE(hasher.finish(), hexSha256(after));
        std::fclose(file);
    }

    void aFileShorterThanToldGivesNoDigest()
    {
        const QByteArray data = patterned(kPiece / 2, 3);
        std::FILE* file = openUnbuffered(m_path);
        QVERIFY(file);
        FollowingHasher hasher;
        QVERIFY(hasher.start(m_path.toStdString()));
        writeInPieces(file, hasher, data, 4096);
        hasher.grewTo(data.size() + 10);
        QCOMPARE(hasher.finish(), std::string("failed"));
        std::fclose(file);
    }

    void abandonAndFinishWithoutAStart()
    {
        FollowingHasher hasher;
        QCOMPARE(hasher.finish(), std::string("failed"));
        QVERIFY(!hasher.start(m_dir.filePath(QStringLiteral("missing.zip")).toStdString()));

        // A thread waiting for bytes that never come is released, not hung.
        std::FILE* file = openUnbuffered(m_path);
        QVERIFY(file);
        QVERIFY(hasher.start(m_path.toStdString()));
        writeInPieces(file, hasher, patterned(100, 4), 10);
        hasher.abandon();
        QCOMPARE(hasher.finish(), std::string("failed"));
        QVERIFY(hasher.start(m_path.toStdString()));
        std::fclose(file);
        // ... and so is one the destructor meets.
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(FollowingHasherTest)
#include "tst_followinghasher.moc"
