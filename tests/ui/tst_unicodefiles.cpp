// UTF-8 in the desktop program: the code page lists and their stored values, and replace
// everywhere over a tree mixing UTF-8, Windows-1251 and KOI8-R, then restore, every byte back.

#include "UiTestMain.h"

#include "PassWindowFixture.h"
#include "ui/QsciInclude.h"
#include "ui/TFormSetModeConverter.h"

#include <QTreeWidget>

using namespace passtest;
using morvane::app::Msg;
namespace cp = morvane::codepage;

namespace {

QStringList Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

const QByteArray kBom("\xEF\xBB\xBF");

QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class UnicodeFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codePageBoxKeepsTheStoredValues_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("KOI8-R") << 1 << QStringLiteral("KOI8-R");
        QTest::newRow("AutoDetect") << 3 << QStringLiteral("AutoDetect");
        QTest::newRow("UTF-8") << 4 << QStringLiteral("UTF-8");
    }
    void codePageBoxKeepsTheStoredValues()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        PassWindowFixture f;
        f.settings = "cbCodePage_ItemIndex=" + QByteArray::number(stored) + "\r\n";
        auto window = f.start();
        const QComboBox* box = window->controls().cbCodePage;
        QCOMPARE(Items(box), QStringList({ "Windows-1251", "KOI8-R", "DOS-866", "UTF-8", "AutoDetect" }));
        QCOMPARE(box->currentText(), shown);
        window->close();
        window.reset();
        const QByteArray ini = ReadBytes(f.home.filePath(QStringLiteral("Morvane.ini")));
        QVERIFY2(
            ini.contains("cbCodePage_ItemIndex=" + QByteArray::number(stored) + "\r\n"), ini.constData());
    }

    void converterListsOfferUtf8()
    {
        morvane::ui::TFormSetModeConverter dialog;
        QCOMPARE(Items(dialog.cbFromCodePage()),
            QStringList({ "Windows-1251", "KOI8-R", "DOS-866", "UTF-8", "AutoDetect" }));
        QCOMPARE(Items(dialog.cbToCodePage()), QStringList({ "Windows-1251", "KOI8-R", "DOS-866", "UTF-8" }));
        dialog.prepare("", 4, 3);
        QCOMPARE(dialog.cbFromCodePage()->currentText(), QStringLiteral("UTF-8"));
        QCOMPARE(dialog.cbToCodePage()->currentText(), QStringLiteral("UTF-8"));
        dialog.prepare("", 3, 0);
        QCOMPARE(dialog.cbFromCodePage()->currentText(), QStringLiteral("AutoDetect"));
    }

    void viewerDrawsThePlaceholderAsTheReplacementMark()
    {
        PassWindowFixture f;
        auto window = f.start();
        char shown[8] = {};
        window->controls().reSource->SendScintilla(
            QsciScintillaBase::SCI_GETREPRESENTATION, "\xC2\x98", shown);
        QCOMPARE(QByteArray(shown), QByteArray("\xEF\xBF\xBD"));
        window->close();
    }

    void replaceInAMixedTreeThenRestore()
    {
        const std::string win = W("Да, да.\r\nконец строки\r\n");
        const std::string winDone = W("Угу, Угу.\r\nконец строки\r\n");
        struct File {
            const char* name;
            QByteArray bytes;
            QByteArray replaced;
        } const files[] = {
            { "bom.txt", kBom + "Да, да.\r\nконец строки\r\n", kBom + "Угу, Угу.\r\nконец строки\r\n" },
            { "plain.txt", "да\nнет да\rок", "Угу\nнет Угу\rок" },
            { "win.txt", Bytes(win), Bytes(winDone) },
            { "koi.txt", Bytes(cp::ConvertText(win, cp::kWin1251, cp::kKoi8r)),
                Bytes(cp::ConvertText(winDone, cp::kWin1251, cp::kKoi8r)) },
            { "check.txt", "да \xE2\x9C\x93\n", "да \xE2\x9C\x93\n" },
        };
        PassWindowFixture f;
        f.settings = "cbCodePage_ItemIndex=3\r\n"; // AutoDetect
        for (const File& file : files)
            f.write(QString::fromLatin1(file.name), file.bytes);
        auto window = f.start();
        Mark(*window, { "bom.txt", "plain.txt", "win.txt", "koi.txt", "check.txt" });
        SetFields(*window, W("(?i)да"), W("Угу"), "${Q}");
        window->miReplacePassimClick();

        for (const File& file : files) {
            QCOMPARE(f.read(QString::fromLatin1(file.name)), file.replaced);
            QCOMPARE(
                QFile::exists(f.path(QString::fromLatin1(file.name) + "0")), file.bytes != file.replaced);
        }
        // The file left alone is listed with its reason after the path.
        const QTreeWidget* report = window->controls().lvReport;
        const QString skipped = f.path(QStringLiteral("check.txt")) + QStringLiteral(": ") + Shown(Msg(420));
        bool listed = false;
        for (int row = 0; row < report->topLevelItemCount(); ++row)
            listed = listed || report->topLevelItem(row)->text(0) == skipped;
        QVERIFY(listed);

        Mark(*window, { "bom.txt", "plain.txt", "win.txt", "koi.txt", "check.txt" });
        f.dialogs.answers = { true };
        window->miRestoreClick();
        for (const File& file : files) {
            QCOMPARE(f.read(QString::fromLatin1(file.name)), file.bytes);
            QVERIFY(!QFile::exists(f.path(QString::fromLatin1(file.name) + "0")));
        }
        window->close();
    }
};

MORVANE_UI_TEST_MAIN(UnicodeFilesTest)
#include "tst_unicodefiles.moc"
