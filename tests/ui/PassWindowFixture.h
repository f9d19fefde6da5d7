#pragma once
// A main window over a program directory of its own and a tree to work on, with scripted boxes
// for the window and for the pass commands, for the GUI tests of the passes.

#include "ScriptedFormMainDialogs.h"
#include "ScriptedPassesDialogs.h"
#include "app/MessageTable.h"
#include "codepage/CodePage.h"
#include "rules/Rule.h"
#include "rules/TableFile.h"
#include "ui/DisplayText.h"
#include "ui/FilePanelView.h"
#include "ui/TFormMain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

namespace passtest {

using morvane::ui::TFormMain;

// Windows-1251 program text from a UTF-8 source literal.
inline std::string W(const char* utf8)
{
    return morvane::codepage::Utf8ToWin1251(utf8);
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

struct PassWindowFixture {
    QTemporaryDir home;
    QTemporaryDir tree;
    QString root; // the tree as the system reports it
    ScriptedFormMainDialogs windowDialogs;
    ScriptedPassesDialogs dialogs;
    // Extra lines of section [TFormMain] for the first start (Windows-1251).
    QByteArray settings;

    PassWindowFixture() { root = QDir(tree.path()).canonicalPath(); }

    QString path(const QString& name) const { return root + QLatin1Char('/') + name; }
    void write(const QString& name, const QByteArray& bytes) const
    {
        const QString full = path(name);
        QDir().mkpath(QFileInfo(full).path());
        WriteBytes(full, bytes);
    }
    QByteArray read(const QString& name) const { return ReadBytes(path(name)); }

    // The rule table the window loads at start.
    void writeRules(const std::vector<morvane::rules::Rule>& rules) const
    {
        QVERIFY(
            !morvane::rules::WriteTableFile(std::filesystem::path(home.path().toStdString()) / "RegExpr.tbl",
                morvane::rules::RulesToLines(rules)));
    }

    // A shown window listing the tree, with the response interval zero (every step pumps)
    // unless the settings say otherwise.
    std::unique_ptr<TFormMain> start()
    {
        const QString ini = home.filePath(QStringLiteral("Morvane.ini"));
        if (!QFile::exists(ini)) {
            WriteBytes(ini,
                "[TFormMain]\r\nLabelDir_Caption=" + root.toUtf8() + "\r\nmiSetTime_Caption=x0.000 sec\r\n"
                    + settings);
        }
        auto window = std::make_unique<TFormMain>(home.path().toStdString());
        window->setDialogs(&windowDialogs);
        window->setPassesDialogs(&dialogs);
        window->show();
        return window;
    }
};

// The panel's index of `name`, or -1.
inline int ItemIndex(TFormMain& window, const std::string& name)
{
    const auto& items = window.filePanel()->model().items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

// Marks the panel's items `names` as the user would.
inline void Mark(TFormMain& window, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const int index = ItemIndex(window, name);
        QVERIFY2(index >= 0, name);
        window.filePanel()->model().setMark(index, true);
    }
    window.filePanel()->sync();
}

// Focuses the panel's item `name` (with nothing marked it is the pass's root).
inline void Focus(TFormMain& window, const char* name)
{
    const int index = ItemIndex(window, name);
    QVERIFY2(index >= 0, name);
    window.filePanel()->model().focusItem(index);
    window.filePanel()->sync();
}

// The work page's find, replace and remark fields (program text).
inline void SetFields(TFormMain& window, const std::string& find, const std::string& replace = {},
    const std::string& remark = {})
{
    const auto& c = window.controls();
    c.cbFind->setEditText(morvane::ui::ToDisplay(find));
    c.cbReplace->setEditText(morvane::ui::ToDisplay(replace));
    c.cbRemark->setEditText(morvane::ui::ToDisplay(remark));
}

// A status text as shown: program text for display.
inline QString Shown(const std::string& text)
{
    return morvane::ui::ToDisplay(text);
}

} // namespace passtest
