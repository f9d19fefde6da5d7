// The main menus, the context menus and the twins of check buttons and menu items: every item
// with its shortcut and the state it has at start. Captions are set later from the message table
// (ApplyCaptions); the items are created here with empty texts so that no text is written twice.
// Covered by tests/ui/tst_objectnames.cpp and tests/ui/tst_twins.cpp.

#include "ui/TFormMain.h"

#include "ui/ObjectNames.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include <initializer_list>

namespace morvane::ui {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QKeySequence& shortcut = {}, bool enabled = true)
{
    auto* action = new QAction(menu);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setEnabled(enabled);
    menu->addAction(action);
    return action;
}

QAction* AddCheckItem(QMenu* menu, const char* name, const QKeySequence& shortcut = {})
{
    QAction* action = AddItem(menu, name, shortcut);
    action->setCheckable(true);
    return action;
}

QMenu* AddMenu(QWidget* parent, const char* name)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

// One group of an insertion menu: a submenu with its items, or (submenu nullptr) items placed
// directly in the menu.
struct MenuGroup {
    const char* submenu;
    std::initializer_list<const char*> items;
};

void BuildInsertionMenu(QMenu* menu, std::initializer_list<MenuGroup> groups)
{
    for (const MenuGroup& group : groups) {
        QMenu* target = menu;
        if (group.submenu != nullptr) {
            target = AddMenu(menu, group.submenu);
            menu->addMenu(target);
        }
        for (const char* item : group.items)
            AddItem(target, item);
    }
}

} // namespace

void TFormMain::buildMenus()
{
    QMenuBar* bar = menuBar();

    m_c.miOperations = AddMenu(this, names::miOperations);
    QMenu* ops = m_c.miOperations;
    m_c.miFind = AddItem(ops, names::miFind, QKeySequence(Qt::CTRL | Qt::Key_F));
    m_c.miReplacePassim = AddItem(ops, names::miReplacePassim, QKeySequence(Qt::CTRL | Qt::Key_H));
    // miReplace and miSave both show F2; the window routes the key itself (routeF2).
    m_c.miReplace = AddItem(ops, names::miReplace, QKeySequence(Qt::Key_F2), false);
    m_c.miReplaceInFile = AddItem(ops, names::miReplaceInFile, QKeySequence(Qt::ALT | Qt::Key_F2), false);
    m_c.miReplaceAll = AddItem(ops, names::miReplaceAll, QKeySequence(Qt::ALT | Qt::Key_A), false);
    m_c.miIgnore = AddItem(ops, names::miIgnore, QKeySequence(Qt::Key_F3), false);
    m_c.miNextFile = AddItem(ops, names::miNextFile, QKeySequence(Qt::ALT | Qt::Key_F3), false);
    ops->addSeparator();
    m_c.miFindFiles = AddItem(ops, names::miFindFiles, {}, false);
    m_c.miNotFindFiles = AddItem(ops, names::miNotFindFiles, {}, false);
    m_c.miAllFiles = AddItem(ops, names::miAllFiles, {}, false);
    ops->addSeparator();
    m_c.miFindTag = AddItem(ops, names::miFindTag, QKeySequence(Qt::CTRL | Qt::Key_F7), false);
    m_c.miSelectTag = AddItem(ops, names::miSelectTag, QKeySequence(Qt::SHIFT | Qt::Key_F7), false);
    m_c.miSelectToWebBrowser
        = AddItem(ops, names::miSelectToWebBrowser, QKeySequence(Qt::CTRL | Qt::Key_F3), false);
    ops->addSeparator();
    m_c.miRestore = AddItem(ops, names::miRestore, QKeySequence(Qt::ALT | Qt::Key_Backspace));
    m_c.miRestoreAll
        = AddItem(ops, names::miRestoreAll, QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace));
    m_c.miDelAllBackup = AddItem(ops, names::miDelAllBackup, QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    ops->addSeparator();
    m_c.miConverter = AddItem(ops, names::miConverter);
    m_c.miQuote = AddItem(ops, names::miQuote, QKeySequence(Qt::Key_F9));
    ops->addSeparator();
    m_c.miLoadFile = AddItem(ops, names::miLoadFile, QKeySequence(Qt::SHIFT | Qt::Key_F4));
    m_c.miSave = AddItem(ops, names::miSave, QKeySequence(Qt::Key_F2));
    m_c.miSaveAs = AddItem(ops, names::miSaveAs, QKeySequence(Qt::SHIFT | Qt::Key_F2));
    ops->addSeparator();
    m_c.miAbort = AddItem(ops, names::miAbort, QKeySequence(Qt::Key_Escape));
    bar->addMenu(ops);

    m_c.miSettings = AddMenu(this, names::miSettings);
    QMenu* set = m_c.miSettings;
    m_c.miModifierI = AddCheckItem(set, names::miModifierI, QKeySequence(Qt::CTRL | Qt::Key_I));
    m_c.miModifierS = AddCheckItem(set, names::miModifierS, QKeySequence(Qt::CTRL | Qt::Key_S));
    m_c.miModifierM = AddCheckItem(set, names::miModifierM, QKeySequence(Qt::CTRL | Qt::Key_M));
    m_c.miModifierX = AddCheckItem(set, names::miModifierX, QKeySequence(Qt::CTRL | Qt::Key_X));
    m_c.miModifierG = AddCheckItem(set, names::miModifierG, QKeySequence(Qt::CTRL | Qt::Key_G));
    set->addSeparator();
    m_c.replaceModeGroup = new QActionGroup(this);
    m_c.replaceModeGroup->setExclusive(true);
    m_c.miSimpleReplace
        = AddCheckItem(set, names::miSimpleReplace, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Q));
    m_c.miSubstitute = AddCheckItem(set, names::miSubstitute, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    m_c.miExtendedReplace
        = AddCheckItem(set, names::miExtendedReplace, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));
    for (QAction* mode : { m_c.miSimpleReplace, m_c.miSubstitute, m_c.miExtendedReplace })
        m_c.replaceModeGroup->addAction(mode);
    m_c.miExtendedReplace->setChecked(true);
    set->addSeparator();
    m_c.miSubDir = AddCheckItem(set, names::miSubDir);
    // The item has a caption entry but no command; it stays hidden until one is given to it.
    m_c.miOutRTF = AddCheckItem(set, names::miOutRTF);
    m_c.miOutRTF->setVisible(false);
    m_c.miHideFiles = AddCheckItem(set, names::miHideFiles);
    m_c.miReport = AddCheckItem(set, names::miReport);
    m_c.miReport->setChecked(true);
    m_c.miReplToFile = AddCheckItem(set, names::miReplToFile);
    m_c.miFileSplit = AddCheckItem(set, names::miFileSplit);
    m_c.miBatch = AddCheckItem(set, names::miBatch);
    m_c.miSaveBackup = AddCheckItem(set, names::miSaveBackup);
    m_c.miSaveBackup->setChecked(true);
    set->addSeparator();
    m_c.miWordWrap = AddCheckItem(set, names::miWordWrap);
    m_c.miWordWrap->setChecked(true);
    m_c.miColour = AddCheckItem(set, names::miColour);
    m_c.miSetColour = AddCheckItem(set, names::miSetColour);
    m_c.miWebBrowser = AddCheckItem(set, names::miWebBrowser);
    set->addSeparator();
    m_c.miSetFont = AddItem(set, names::miSetFont);
    m_c.miSetColor = AddItem(set, names::miSetColor);
    m_c.miSetTime = AddItem(set, names::miSetTime);
    m_c.miAutoSave = AddCheckItem(set, names::miAutoSave);
    m_c.miAutoSave->setChecked(true);
    bar->addMenu(set);

    m_c.miHelpMenu = AddMenu(this, names::miHelpMenu);
    m_c.miHelp = AddItem(m_c.miHelpMenu, names::miHelp, QKeySequence(Qt::Key_F1));
    m_c.miSupport = AddItem(m_c.miHelpMenu, names::miSupport);
    m_c.miManual = AddItem(m_c.miHelpMenu, names::miManual, QKeySequence(Qt::SHIFT | Qt::Key_F1));
    bar->addMenu(m_c.miHelpMenu);
}

void TFormMain::buildContextMenus()
{
    m_c.pmFiles = AddMenu(this, names::pmFiles);
    m_c.miView = AddItem(m_c.pmFiles, names::miView, QKeySequence(Qt::Key_F3), false);
    m_c.miEdit = AddItem(m_c.pmFiles, names::miEdit, QKeySequence(Qt::Key_F4), false);
    m_c.miCopy = AddItem(m_c.pmFiles, names::miCopy, QKeySequence(Qt::Key_F5), false);
    m_c.miMove = AddItem(m_c.pmFiles, names::miMove, QKeySequence(Qt::Key_F6), false);
    m_c.miCreateDir = AddItem(m_c.pmFiles, names::miCreateDir, QKeySequence(Qt::Key_F7));
    m_c.miDelete = AddItem(m_c.pmFiles, names::miDelete, QKeySequence(Qt::Key_F8), false);
    // The keys act on the list that has the focus, so they belong to the two lists rather than
    // to the window (F3 is also "search further" there).
    for (QAction* item : m_c.pmFiles->actions())
        item->setShortcutContext(Qt::WidgetShortcut);

    using namespace names;
    m_c.pmFind = AddMenu(this, pmFind);
    BuildInsertionMenu(m_c.pmFind,
        {
            { miMetacharacters,
                { miAnyCharacter, miAnySetOfCharacters, miAnyExceptSetOfCharacters,
                    miAnyFromRangeOfCharacters, miAlphanumericCharacter, miNotAlphanumericCharacter,
                    miDecimalDigit, miNotDecimalDigit, miBlankCharacter, miNotBlankCharacter, miTabCharacter,
                    miReturn, miHexCodeChar } },
            { miDelimiters,
                { miDelimiterOfWord, miNotDelimiterOfWord, miBeginningOfLine, miEndOfLine, miBeginningOfText,
                    miEndOfText } },
            { miRepeaters,
                { mi0orMoreMatches, mi1orMoreMatches, mi0or1Matches, miOnlyNMatches, miNorMoreMatches,
                    miFromNtoMMatches } },
            { miSpecialCharacters,
                { miLeftParenthesis, miRightParenthesis, miLeftBracket, miRightBracket, miDot, miPlus,
                    miAsterisk, miQuery, miBackslash } },
            { nullptr, { miOr, miGroup, miBackreferences } },
            { miSearchMode,
                { miCaseInsensitive, miCaseSensitive, miModeS, miModeM, miModeNotGreedy, miModeGreedy } },
            { miReadyPatterns,
                { miDecimalNumber, miHexadecimalNumber, miRealNumber, miAlphabeticString, miIdentifier,
                    miQuotedString } },
            { nullptr, { miRegularExpressionsHelp } },
        });

    m_c.pmReplace = AddMenu(this, pmReplace);
    BuildInsertionMenu(m_c.pmReplace,
        {
            { nullptr, { miFirstFoundGroup, miFoundText, miSetWidth } },
            { miCaseConversion,
                { miLowerCase, miUpperCase, miInvertCase, miStopCase, miLowerChar, miUpperChar, miInvertChar,
                    miBeginningQuota, miEndQuota } },
            { miSpecialSymbols,
                { miBackslashSymbol, miBracketSymbol, miBraceSymbol, miMinusSymbol, miDollarSymbol, miHexCode,
                    miCounter, miPathOfFile, miNameOfFile } },
            { nullptr, { miHelpRegularExpretionForReplace } },
        });
}

} // namespace morvane::ui
