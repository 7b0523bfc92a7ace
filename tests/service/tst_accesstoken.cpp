// Which header values let a request through to the service, and where the
// service takes its secret from.
#include "accesstoken.h"
#include "localprotocol/localprotocol.h"

#include <QtTest>
#include <cstdlib>

using haulmoor::AccessToken;

namespace {
const std::string kSecret = "3f9a0c61d2b84e7f95a6c0d1e2f3a4b5c6d7e8f9a0b1c2d3e4f5061728394a5b";
}

class TestAccessToken : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheExactSecretIsAdmitted_data()
    {
        QTest::addColumn<QByteArray>("offered");
        QTest::addColumn<bool>("admitted");
        const QByteArray secret = QByteArray::fromStdString(kSecret);
        QTest::newRow("exact") << secret << true;
        QTest::newRow("nothing") << QByteArray() << false;
        QTest::newRow("prefix") << secret.left(secret.size() - 1) << false;
        QTest::newRow("first half") << secret.left(32) << false;
        QTest::newRow("one more character") << secret + "0" << false;
        QTest::newRow("last character differs") << secret.left(secret.size() - 1) + "c" << false;
        QTest::newRow("first character differs") << "4" + secret.mid(1) << false;
        QTest::newRow("upper case") << secret.toUpper() << false;
        QTest::newRow("padded") << " " + secret << false;
        QTest::newRow("secret twice") << secret + secret << false;
        QTest::newRow("embedded zero") << secret.left(10) + QByteArray(1, '\0') + secret.mid(11) << false;
    }

    void onlyTheExactSecretIsAdmitted()
    {
        QFETCH(QByteArray, offered);
        QFETCH(bool, admitted);
        const AccessToken token(kSecret);
        QVERIFY(token.required());
        QCOMPARE(token.admits(std::string_view(offered.constData(), std::size_t(offered.size()))), admitted);
    }

    void withoutSecretEverythingIsAdmitted()
    {
        const AccessToken open;
        QVERIFY(!open.required());
        QVERIFY(open.admits({}));
        QVERIFY(open.admits("anything"));
    }

    // A start that set the variable but left it empty must not open the door.
    void emptySecretAdmitsNothing()
    {
        const AccessToken broken{std::string()};
        QVERIFY(broken.required());
        QVERIFY(!broken.admits({}));
        QVERIFY(!broken.admits("x"));
    }

    void secretIsTakenOutOfTheEnvironment()
    {
        qputenv(localprotocol::kTokenEnvironment, QByteArray::fromStdString(kSecret));
        const AccessToken token = AccessToken::fromEnvironment();
        QVERIFY(token.required());
        QVERIFY(token.admits(kSecret));
        // Programs the service starts later must not inherit it.
        QVERIFY(std::getenv(localprotocol::kTokenEnvironment) == nullptr);

        const AccessToken none = AccessToken::fromEnvironment();
        QVERIFY(!none.required());

        qputenv(localprotocol::kTokenEnvironment, QByteArray());
        QVERIFY(AccessToken::fromEnvironment().required());
    }
};

QTEST_GUILESS_MAIN(TestAccessToken)
#include "tst_accesstoken.moc"
