// The currency window: conversion, editing the rates file, import, and
// "Update rates" against a local server.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <functional>

#include "convert/CurrencyWindow.h"
#include "tests/convert_ui/Fixture.h"

namespace {

using zorv::convert::CurrencyWindow;
using zorv::convert::RatesDownload;
using zorv::engine::Decimal;
using zorv::test::slurp;
using zorv::test::spit;

const std::string kRates =
    "base EUR Euro\ndate 2026-12-07\nUSD 1.0810 US dollar\nJPY 162.45 Japanese yen\nKWD 0.3320 Kuwaiti dinar\n";

const QByteArray kEcbXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
    "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
    "<gesmes:subject>Reference rates</gesmes:subject>\n"
    "<Cube><Cube time='2026-12-08'>\n"
    "<Cube currency='USD' rate='1.0900'/><Cube currency='GBP' rate='0.8512'/>\n"
    "</Cube></Cube></gesmes:Envelope>\n";

class CurrencyWindowTest : public ::testing::Test, public zorv::test::ConverterFixture {
protected:
    CurrencyWindowTest() { model.modes().financial = false; }
    void setReadout(const std::string& text) {
        model.setReadout(text);
        model.normalizeReadout();
    }
    template <typename T>
    T* child(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void choose(CurrencyWindow& w, const char* box, const QString& text) {
        child<QComboBox>(w, box)->setEditText(text);
    }
};

TEST_F(CurrencyWindowTest, ConvertsThroughTheBaseAndWritesTheTapeLine) {
    spit(ratesPath(), kRates);
    setReadout("100");
    CurrencyWindow window(model, settings());
    window.open();
    window.show();
    EXPECT_EQ(child<QLineEdit>(window, "txtAmount")->text(), "100");
    // By code in any case, or by a part of the name.
    choose(window, "cboFrom", "usd");
    choose(window, "cboTo", "yen");
    EXPECT_EQ(child<QLineEdit>(window, "txtResult")->text(), "15028 JPY");
    EXPECT_EQ(child<QLabel>(window, "lblRate")->text(), "1 USD = 150.278 JPY");

    QTest::keyClick(child<QLineEdit>(window, "txtAmount"), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(model.toDecimal(model.readout()), Decimal(15028));
    EXPECT_NE(model.tape().text().find("Convert 100.00 USD -> 15028 JPY @ 150.278 (rates of 2026-12-07)"),
              std::string::npos)
        << model.tape().text();
    // The choices are kept as positions in the list: EUR, JPY, KWD, USD.
    EXPECT_EQ(stored["From Currency"], "3");
    EXPECT_EQ(stored["To Currency"], "1");
    // Reading and converting never rewrote the file.
    EXPECT_EQ(slurp(ratesPath()), kRates);

    // "Currency Dec" fixes the decimals.
    setReadout("100");
    window.open();
    EXPECT_EQ(child<QLineEdit>(window, "txtAmount")->text(), "100");
    auto* decimals = child<QComboBox>(window, "cboDecimals");
    decimals->setCurrentIndex(decimals->findData(3));
    EXPECT_EQ(child<QLineEdit>(window, "txtResult")->text(), "15027.752 JPY");
    EXPECT_EQ(stored["Currency Dec"], "3");
}

TEST_F(CurrencyWindowTest, BadAmountsAndUnknownCurrenciesChangeNothing) {
    spit(ratesPath(), kRates);
    setReadout("5");
    CurrencyWindow window(model, settings());
    window.open();
    for (const auto& [amount, to] : std::vector<std::pair<QString, QString>>{
             {"", "EUR"}, {"abc", "EUR"}, {"5", "XXX"}, {"5", "a"}}) {
        child<QLineEdit>(window, "txtAmount")->setText(amount);
        choose(window, "cboTo", to);
        EXPECT_FALSE(child<QPushButton>(window, "cmdOK")->isEnabled()) << amount.toStdString() << to.toStdString();
        EXPECT_FALSE(child<QLabel>(window, "lblMessage")->text().isEmpty());
        window.accept();
    }
    EXPECT_EQ(model.toDecimal(model.readout()), Decimal(5));
    EXPECT_TRUE(model.tape().text().empty());
}

TEST_F(CurrencyWindowTest, EditsAreWrittenAtOnceAndRefusalsLeaveTheFile) {
    spit(ratesPath(), kRates);
    CurrencyWindow window(model, settings());
    window.open();
    EXPECT_FALSE(window.setRate("gbp", "0.8512", "Pound sterling").has_value());
    EXPECT_NE(slurp(ratesPath()).find("GBP 0.8512 Pound sterling"), std::string::npos);
    EXPECT_FALSE(window.setRate("USD", "1.1", "").has_value());
    EXPECT_NE(slurp(ratesPath()).find("USD 1.1 US dollar"), std::string::npos);

    const std::string before = slurp(ratesPath());
    for (const auto& [code, rate] : std::vector<std::pair<std::string, std::string>>{
             {"CHF", "0"}, {"CHF", "-2"}, {"CHF", "abc"}, {"CHF", ""}, {"C1F", "1"}, {"EUR", "2"}}) {
        EXPECT_TRUE(window.setRate(code, rate, "").has_value()) << code << " " << rate;
    }
    EXPECT_TRUE(window.removeCurrency("EUR").has_value());
    EXPECT_EQ(slurp(ratesPath()), before);
    EXPECT_FALSE(window.removeCurrency("JPY").has_value());
    EXPECT_EQ(slurp(ratesPath()).find("JPY"), std::string::npos);
}

TEST_F(CurrencyWindowTest, AnEmptyFileStartsWithTheBaseCurrency) {
    CurrencyWindow window(model, settings());
    window.open();
    EXPECT_FALSE(child<QPushButton>(window, "cmdOK")->isEnabled());
    EXPECT_TRUE(window.setRate("USD", "2", "").has_value());  // the first one is the base
    EXPECT_FALSE(window.setRate("USD", "1", "US dollar").has_value());
    EXPECT_FALSE(window.setRate("CAD", "1.35", "").has_value());
    EXPECT_EQ(window.rates().base(), "USD");
    EXPECT_NE(slurp(ratesPath()).find("base USD US dollar"), std::string::npos);
}

TEST_F(CurrencyWindowTest, DamagedFilesLoadWhatIsValidAndSaySoWithoutRewriting) {
    const std::string damaged = kRates + "USD 2\nXYZ -1\n" + std::string(5000, 'A') + "\n\x01\x02\x03\n";
    spit(ratesPath(), damaged);
    CurrencyWindow window(model, settings());
    window.open();
    EXPECT_EQ(window.rates().size(), 4u);
    const QString status = window.status();
    for (const char* line : {"line 6", "line 7", "line 8", "line 9"})
        EXPECT_TRUE(status.contains(QString::fromLatin1(line))) << status.toStdString();
    EXPECT_EQ(slurp(ratesPath()), damaged);
}

TEST_F(CurrencyWindowTest, OldRatesShowTheirAgeAndTheHelpShowsOnce) {
    spit(ratesPath(), kRates);
    CurrencyWindow window(model, settings());
    window.open();
    window.show();
    EXPECT_TRUE(child<QLabel>(window, "lblHelp")->isVisible());
    EXPECT_EQ(stored["Show DL Help"], "0");
    EXPECT_FALSE(window.ratesInfo().contains("days old"));
    today = std::chrono::sys_days{std::chrono::year{2026} / 12 / 19};
    window.open();
    EXPECT_FALSE(child<QLabel>(window, "lblHelp")->isVisible());
    EXPECT_TRUE(window.ratesInfo().contains("12 days old")) << window.ratesInfo().toStdString();
    EXPECT_TRUE(feedback.messages.empty());
}

TEST_F(CurrencyWindowTest, ImportsTheDailyXmlAndACsv) {
    spit(ratesPath(), kRates);
    CurrencyWindow window(model, settings());
    window.open();
    spit(dir / "eurofxref-daily.xml", kEcbXml.toStdString());
    window.importFile(dir / "eurofxref-daily.xml");
    EXPECT_TRUE(window.status().contains("1 added, 1 changed")) << window.status().toStdString();
    EXPECT_EQ(window.rates().find("USD")->rate, Decimal::parse("1.09"));
    EXPECT_EQ(window.rates().find("JPY")->rate, Decimal::parse("162.45"));  // kept
    EXPECT_NE(slurp(ratesPath()).find("date 2026-12-08"), std::string::npos);

    spit(dir / "rates.csv", "code,rate\nCHF,0.93\nBAD,x\n");
    window.importFile(dir / "rates.csv");
    EXPECT_EQ(window.rates().find("CHF")->rate, Decimal::parse("0.93"));
    EXPECT_TRUE(window.status().contains("line 3")) << window.status().toStdString();

    const std::string before = slurp(ratesPath());
    spit(dir / "junk.xml", "<html>not rates</html>");
    window.importFile(dir / "junk.xml");
    window.importFile(dir / "missing.xml");
    EXPECT_EQ(slurp(ratesPath()), before);
}

// A local HTTP server answering each request with what `answer` returns for
// its path; an empty answer keeps the connection open without a reply.
class LocalServer : public QObject {
public:
    std::function<QByteArray(const QByteArray& path)> answer;

    LocalServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    buffer_[socket] += socket->readAll();
                    if (!buffer_[socket].contains("\r\n\r\n")) return;
                    const QByteArray path = buffer_[socket].split(' ').value(1);
                    const QByteArray reply = answer(path);
                    if (reply.isEmpty()) return;
                    socket->write(reply);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString url(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QLatin1String(path));
    }

private:
    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> buffer_;
};

QByteArray ok(const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

class RatesUpdate : public CurrencyWindowTest {
protected:
    bool update(const QString& url, RatesDownload::Limits limits = {}) {
        stored["Exchange Rates URL"] = url.toStdString();
        window.updateRates(limits);
        QSignalSpy spy(&window, &CurrencyWindow::updateFinished);
        if (spy.isEmpty()) EXPECT_TRUE(spy.wait(10000));
        return !spy.isEmpty() && spy.first().first().toBool();
    }
    void SetUp() override {
        spit(ratesPath(), kRates);
        window.open();
    }
    LocalServer server;
    CurrencyWindow window{model, settings()};
};

TEST_F(RatesUpdate, FetchesTheDailyFileAndMergesIt) {
    server.answer = [](const QByteArray& path) { return path == "/daily.xml" ? ok(kEcbXml) : QByteArray(); };
    EXPECT_TRUE(update(server.url("/daily.xml")));
    EXPECT_NE(slurp(ratesPath()).find("USD 1.09"), std::string::npos) << slurp(ratesPath());
    EXPECT_NE(slurp(ratesPath()).find("GBP 0.8512"), std::string::npos);
    EXPECT_FALSE(window.updating());

    // A file address works too, for a copy kept on a shared drive.
    spit(dir / "newer.xml", QByteArray(kEcbXml).replace("1.0900", "1.1111").toStdString());
    EXPECT_TRUE(update(QUrl::fromLocalFile(QString::fromStdString(dir / "newer.xml")).toString()));
    EXPECT_NE(slurp(ratesPath()).find("USD 1.1111"), std::string::npos) << slurp(ratesPath());
}

TEST_F(RatesUpdate, FailuresSayWhyAndLeaveTheFileAlone) {
    struct Case {
        const char* name;
        std::function<QByteArray(const QByteArray&)> answer;
        RatesDownload::Limits limits;
        const char* expected;
    };
    const RatesDownload::Limits normal;
    RatesDownload::Limits quick;
    quick.timeoutMs = 300;
    RatesDownload::Limits small;
    small.maxBytes = 1000;
    const std::vector<Case> cases{
        {"not found", [](auto&) { return QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"); },
         normal, "failed"},
        {"redirect loop",
         [](auto&) { return QByteArray("HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\n\r\n"); },
         normal, "redirected too often"},
        {"announced too large",
         [](auto&) {
             return QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 209715200\r\n\r\n") + QByteArray(4096, 'x');
         },
         normal, "larger than 100 MB"},
        {"too large as it arrives",
         [](auto&) { return QByteArray("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n") + QByteArray(5000, 'x'); },
         small, "larger than"},
        {"malformed", [](auto&) { return ok("<html><body>Maintenance</body></html>"); }, normal,
         "No exchange rates were found"},
        {"silent server", [](auto&) { return QByteArray(); }, quick, "did not answer"},
    };
    for (const Case& c : cases) {
        server.answer = c.answer;
        EXPECT_FALSE(update(server.url("/daily.xml"), c.limits)) << c.name;
        EXPECT_TRUE(window.status().contains(QString::fromLatin1(c.expected))) << c.name << ": "
                                                                             << window.status().toStdString();
        EXPECT_TRUE(window.status().contains("not changed")) << c.name << ": " << window.status().toStdString();
        EXPECT_EQ(slurp(ratesPath()), kRates) << c.name;
    }
}

TEST_F(RatesUpdate, OfflineSaysSoAndCancelStops) {
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const quint16 port = closed.serverPort();
    closed.close();
    EXPECT_FALSE(update(QStringLiteral("http://127.0.0.1:%1/daily.xml").arg(port)));
    EXPECT_TRUE(window.status().contains("offline")) << window.status().toStdString();
    EXPECT_EQ(slurp(ratesPath()), kRates);

    server.answer = [](auto&) { return QByteArray(); };
    stored["Exchange Rates URL"] = server.url("/daily.xml").toStdString();
    QSignalSpy spy(&window, &CurrencyWindow::updateFinished);
    window.updateRates();
    EXPECT_TRUE(window.updating());
    EXPECT_EQ(child<QPushButton>(window, "cmdUpdate")->text(), "Cancel &Update");
    window.updateRates();  // the same button again cancels
    if (spy.isEmpty()) ASSERT_TRUE(spy.wait(5000));
    EXPECT_TRUE(window.status().contains("cancelled"));
    EXPECT_EQ(child<QPushButton>(window, "cmdUpdate")->text(), "&Update Rates");
    EXPECT_EQ(slurp(ratesPath()), kRates);

    stored["Exchange Rates URL"] = "ftp://example.invalid/x";
    window.updateRates();
    EXPECT_TRUE(window.status().contains("not a web address"));
}

}  // namespace
