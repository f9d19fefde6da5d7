// The dialogs of the output modes and the converter as widgets: TForm3's answers, texts and
// width, the file-split settings with their limits and the enabling of the fixed name, the
// converter's lists; and the output settings kept across a restart of the window.

#include "UiTestMain.h"

#include "PassWindowFixture.h"
#include "search/OutputControl.h"
#include "ui/PassesBinding.h"
#include "ui/TForm3.h"
#include "ui/TFormSetFileSplit.h"
#include "ui/TFormSetModeConverter.h"
#include "ui/WidgetPassesDialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

using namespace passtest;
using morvane::app::Msg;
using morvane::search::OutputExistingAnswer;
using morvane::search::OutputNumbering;
using morvane::search::OutputSplitSettings;
using morvane::ui::TForm3;
using morvane::ui::TFormSetFileSplit;
using morvane::ui::TFormSetModeConverter;

Q_DECLARE_METATYPE(OutputExistingAnswer)

class OutputDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void existingFileDialogAnswers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<OutputExistingAnswer>("answer");
        QTest::newRow("cancel") << "bbCancel" << OutputExistingAnswer::Cancel;
        QTest::newRow("overwrite") << "bbRewrite" << OutputExistingAnswer::Overwrite;
        QTest::newRow("append") << "bbAdd" << OutputExistingAnswer::Append;
        QTest::newRow("closed") << "" << OutputExistingAnswer::Cancel;
    }
    void existingFileDialogAnswers()
    {
        QFETCH(QString, button);
        QFETCH(OutputExistingAnswer, answer);
        TForm3 dialog;
        QTimer::singleShot(0, &dialog, [&] {
            if (button.isEmpty())
                dialog.close();
            else
                dialog.findChild<QPushButton*>(button)->click();
        });
        QCOMPARE(dialog.ask("/tmp/some file.txt"), answer);
    }

    void existingFileDialogTextsAndWidth()
    {
        TForm3 dialog;
        dialog.prepare("/short.txt");
        QCOMPARE(dialog.windowTitle(), Shown(Msg(101)));
        QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), Shown(Msg(102)));
        QCOMPARE(dialog.bbRewrite()->text(), Shown(Msg(103)));
        QCOMPARE(dialog.bbAdd()->text(), Shown(Msg(104)));
        QCOMPARE(dialog.bbCancel()->text(), Shown(Msg(105)));
        QVERIFY(dialog.bbCancel()->isDefault());
        QCOMPARE(dialog.pathLabel()->text(), QStringLiteral("/short.txt"));
        QCOMPARE(dialog.minimumWidth(), TForm3::kMinWidth);
        const std::string longPath = "/" + std::string(200, 'x') + ".txt";
        dialog.prepare(longPath);
        QVERIFY(dialog.minimumWidth() > TForm3::kMinWidth);
    }

    void fileSplitSettingsRoundTripAndLimits()
    {
        TFormSetFileSplit dialog;
        QCOMPARE(dialog.windowTitle(), Shown(Msg(110)));
        QCOMPARE(dialog.rbFoundCount()->text(), Shown(Msg(117)));
        // Built-in values: by replacements, named after the source, start 0, 0 digits, "_".
        const OutputSplitSettings builtIn = dialog.settings();
        QCOMPARE(builtIn.numbering, OutputNumbering::ByReplacements);
        QVERIFY(builtIn.nameFromSource);
        QCOMPARE(builtIn.separator, std::string("_"));
        QVERIFY(!dialog.FileName()->isEnabled());
        QVERIFY(!dialog.sbSelectFileName()->isEnabled());

        OutputSplitSettings edited;
        edited.numbering = OutputNumbering::ByMatches;
        edited.nameFromSource = false;
        edited.fixedName = "/w/out.txt";
        edited.startNumber = 5;
        edited.digits = 3;
        edited.separator = W("№");
        dialog.setSettings(edited);
        QVERIFY(dialog.FileName()->isEnabled());
        QVERIFY(dialog.sbSelectFileName()->isEnabled());
        const OutputSplitSettings back = dialog.settings();
        QCOMPARE(back.numbering, edited.numbering);
        QCOMPARE(back.nameFromSource, false);
        QCOMPARE(back.fixedName, edited.fixedName);
        QCOMPARE(back.startNumber, std::int64_t(5));
        QCOMPARE(back.digits, 3);
        QCOMPARE(back.separator, edited.separator);

        // The number fields refuse what lies beyond their limits.
        dialog.ceStartNumber()->setValue(2000000);
        QCOMPARE(dialog.ceStartNumber()->value(), 1000000);
        dialog.ceNumberLength()->setValue(11);
        QCOMPARE(dialog.ceNumberLength()->value(), 10);
        dialog.ceNumberLength()->setValue(-1);
        QCOMPARE(dialog.ceNumberLength()->value(), 0);

        // The chooser fills the fixed name; cancelling it keeps the name.
        dialog.setFileNameChooser(
            [](const std::filesystem::path&) { return std::filesystem::path("/w/other.htm"); });
        dialog.sbSelectFileName()->click();
        QCOMPARE(dialog.FileName()->text(), QStringLiteral("/w/other.htm"));
        dialog.setFileNameChooser([](const std::filesystem::path&) { return std::nullopt; });
        dialog.sbSelectFileNameClick();
        QCOMPARE(dialog.FileName()->text(), QStringLiteral("/w/other.htm"));
        dialog.CheckBoxFileNameSource()->setChecked(true);
        QVERIFY(!dialog.FileName()->isEnabled());
    }

    void fileSplitDialogCancelKeepsSettings()
    {
        TFormSetFileSplit dialog;
        OutputSplitSettings settings;
        settings.digits = 4;
        QTimer::singleShot(0, &dialog, [&] {
            dialog.ceNumberLength()->setValue(7);
            dialog.reject();
        });
        QVERIFY(!dialog.edit(settings));
        QCOMPARE(settings.digits, 4);
        QTimer::singleShot(0, &dialog, [&] {
            dialog.ceNumberLength()->setValue(7);
            dialog.accept();
        });
        QVERIFY(dialog.edit(settings));
        QCOMPARE(settings.digits, 7);
    }

    void converterDialogListsAndChoices()
    {
        TFormSetModeConverter dialog;
        QCOMPARE(dialog.windowTitle(), Shown(Msg(120)));
        QCOMPARE(dialog.cbFromCodePage()->count(), 5);
        QCOMPARE(dialog.cbFromCodePage()->itemText(4), QStringLiteral("AutoDetect"));
        QCOMPARE(dialog.cbToCodePage()->count(), 4);
        QCOMPARE(dialog.cbFromCodePage()->currentText(), QStringLiteral("KOI8-R"));
        QCOMPARE(dialog.cbToCodePage()->currentText(), QStringLiteral("Windows-1251"));
        QCOMPARE(dialog.LabelInfo()->text(), Shown(W("Перекодировать файл:")));

        int from = 3;
        int to = 2;
        QTimer::singleShot(0, &dialog, [&] {
            QCOMPARE(dialog.LabelInfo()->text(), Shown(W("Перекодировать файлов - 12 шт.")));
            QCOMPARE(dialog.cbFromCodePage()->currentText(), QStringLiteral("AutoDetect"));
            dialog.cbToCodePage()->setCurrentIndex(1);
            dialog.accept();
        });
        QVERIFY(dialog.edit(W("Перекодировать файлов - 12 шт."), from, to));
        QCOMPARE(from, 3);
        QCOMPARE(to, 1);
        // An index out of the list (damaged settings) keeps the current item.
        dialog.prepare("", 9, -1);
        QCOMPARE(dialog.cbFromCodePage()->currentText(), QStringLiteral("AutoDetect"));
        QCOMPARE(dialog.cbToCodePage()->currentIndex(), 1);
    }

    void outputSettingsSurviveRestart()
    {
        PassWindowFixture f;
        f.write(QStringLiteral("collect.txt"), "");
        auto window = f.start();
        const auto& c = window->controls();
        OutputSplitSettings split;
        split.numbering = OutputNumbering::ByMatches;
        split.nameFromSource = false;
        split.fixedName = f.path(QStringLiteral("out.txt")).toStdString();
        split.startNumber = 5;
        split.digits = 3;
        split.separator = "-";
        f.dialogs.splitAnswer = split;
        c.miFileSplit->trigger();
        QVERIFY(c.tbFileSplit->isChecked());
        // One-file mode with a chosen file: it is remembered as the last collecting file.
        f.dialogs.chosenFiles.push_back(f.path(QStringLiteral("collect.txt")).toStdString());
        f.dialogs.existingAnswer = OutputExistingAnswer::Overwrite;
        c.miReplToFile->trigger();
        QVERIFY(c.tbReplToFile->isChecked());
        QVERIFY(!c.tbFileSplit->isChecked());
        window->close();

        auto again = f.start();
        // Neither mode is on after a start; the dialog shows the settings kept.
        QVERIFY(!again->controls().tbFileSplit->isChecked());
        QVERIFY(!again->controls().tbReplToFile->isChecked());
        QCOMPARE(again->controls().LabelReplToFile->text(), f.path("collect.txt"));
        f.dialogs.splitAnswer.reset();
        again->controls().miFileSplit->trigger();
        QVERIFY(!again->controls().tbFileSplit->isChecked());
        const OutputSplitSettings shown = f.dialogs.splitShown.back();
        QCOMPARE(shown.numbering, OutputNumbering::ByMatches);
        QVERIFY(!shown.nameFromSource);
        QCOMPARE(shown.fixedName, split.fixedName);
        QCOMPARE(shown.startNumber, std::int64_t(5));
        QCOMPARE(shown.digits, 3);
        QCOMPARE(shown.separator, std::string("-"));
        again->close();
    }

    void dialogsAreTheWindowsOwn()
    {
        PassWindowFixture f;
        auto window = f.start();
        // The widget dialogs are created once, as the window's children with their names.
        morvane::ui::WidgetPassesDialogs& widgets = window->passes().widgetDialogs();
        QCOMPARE(window->findChild<TForm3*>("TForm3"), widgets.form3());
        QCOMPARE(window->findChild<TFormSetFileSplit*>("TFormSetFileSplit"), widgets.fileSplitDialog());
        QCOMPARE(
            window->findChild<TFormSetModeConverter*>("TFormSetModeConverter"), widgets.converterDialog());
        window->close();
    }
};

MORVANE_UI_TEST_MAIN(OutputDialogsTest)
#include "tst_outputdialogs.moc"
