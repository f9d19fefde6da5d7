// The built-in message and caption table as readable UTF-8, one entry per line with its index, and
// for the captions the control and property each one goes to. Converted to program text once, on
// first use (MessageBuiltIn.h). Texts are used exactly as they stand: leading and trailing blanks,
// "|" frames, "&" accelerators and the spelling of the original design are all deliberate.
// Entries marked "chosen" have no design text of their own and were written for this program.
// Covered by tests/app/MessageTableTest.cpp and tests/app/MessageCaptionsTest.cpp.

#include "app/MessageBuiltIn.h"
#include "app/MessageCaptions.h"

#include "codepage/CodePage.h"

#include <array>
#include <cassert>

namespace morvane::app {

namespace {

// A caption entry: where the text goes and the text itself.
struct CaptionEntry {
    std::string_view window;
    std::string_view objectName;
    CaptionProperty property;
    std::string_view text;
};

// The windows that own captions, by class name.
constexpr std::string_view kMain = "TFormMain";
constexpr std::string_view kCreateDir = "TfmCreateDir";
constexpr std::string_view kTargetExists = "TForm3";
constexpr std::string_view kResponseTime = "TForm9";
constexpr std::string_view kSelectFiles = "TFormSelectFiles";
constexpr std::string_view kFileSplit = "TFormSetFileSplit";
constexpr std::string_view kConverter = "TFormSetModeConverter";

constexpr CaptionProperty kCaption = CaptionProperty::Caption;
constexpr CaptionProperty kHint = CaptionProperty::Hint;
constexpr CaptionProperty kWindowTitle = CaptionProperty::WindowTitle;
constexpr CaptionProperty kTabText = CaptionProperty::TabText;

// clang-format off

// Messages read by index from code (0 to 99). Empty entries keep their places.
constexpr std::array<std::string_view, kFirstCaptionIndex> kMessages = {
    /*   0 */ "(?)-модификаторы поиска ${}-режим замены",
    /*   1 */ " искать",
    /*   2 */ " заменять на",
    /*   3 */ " комментарий",
    /*   4 */ "%.0n из %0.n Kb свободно",
    /*   5 */ "Сохранить изменения в файле:",
    /*   6 */ "Обработано каталогов - %d  Найдено файлов - %d",
    /*   7 */ "не найдено",
    /*   8 */ "Вы хотите вернуться к последней сохраненной копии выбранных файлов?",
    /*   9 */ "Вы хотите вернуться к первоначальной копии выбранных файлов?",
    /*  10 */ "Вы действительно хотите удалить все страховочные копии выбранных файлов/каталогов?",
    /*  11 */ "Сохранить изменения в таблицу?",
    /*  12 */ "",
    /*  13 */ "",
    /*  14 */ "Обработано файлов - %d из %d  Найдено файлов(в файле) - %d(%d)  Всего найдено - %d",
    /*  15 */ "Обработано файлов - %d из %d  Восстановлено файлов - %d",
    /*  16 */ "",
    /*  17 */ "hh час  mm мин  ss.zzz сек",
    /*  18 */ "Выберите файл для загрузки из списка.",
    /*  19 */ "Вы действительно хотите удалить объектов",
    /*  20 */ "Удалено файлов - %d  каталогов - %d",
    /*  21 */ "",
    /*  22 */ "",
    /*  23 */ "Выберите каталог для перемещения объектов",
    /*  24 */ "",
    /*  25 */ "",
    /*  26 */ "Выберите каталог для копирования объектов - %d",
    /*  27 */ "Выберите файл  для сохранения таблицы регулярных выражений",
    /*  28 */ "Выберите файл  для загрузки таблицы регулярных выражений",
    /*  29 */ "Выберите файл  для сохранения замен",
    /*  30 */ "",
    /*  31 */ "Сохранить как",
    /*  32 */ "",
    /*  33 */ "",
    /*  34 */ "Выберите каталог для копирования:",
    /*  35 */ "Выберите каталог для перемещения:",
    /*  36 */ "Вы действительно хотите удалить файл:",
    /*  37 */ "Обработано файлов - %d из %d  Найдено файлов - %d, не удовлетворяющих условию поиска",
    /*  38 */ "",
    /*  39 */ "Ждите, идет сканирование каталогов...",
    /*  40 */ "прервано пользователем",
    /*  41 */ "Ничего не найдено.",
    /*  42 */ "",
    /*  43 */ "Обработано файлов - %d из %d  Файлов - %d / %d  В файле - %d / %d  Всего - %d / %d (найдено/изменено)",
    /*  44 */ "Вы действительно хотите удалить каталог:",
    /*  45 */ "Удалено файлов - %d",
    /*  46 */ "Обработано файлов - %d из %d",
    /*  47 */ "Файлов - %d / %d (найдено/изменено)",
    /*  48 */ "Всего - %d / %d (найдено/заменено)",
    /*  49 */ "Создано каталогов",
    /*  50 */ "Перемещено файлов",
    /*  51 */ "",
    /*  52 */ "",
    /*  53 */ "",
    /*  54 */ "",
    /*  55 */ "Добавить выделение файлов",
    /*  56 */ "Снять выделение с файлов",
    /*  57 */ "Не могу выделить искомое в редакторе.",
    /*  58 */ "Попробуйте изменить строку поиска или",
    /*  59 */ "запустите процесс без подтверждения замены.",
    /*  60 */ "Нет выбранных файлов.",
    /*  61 */ "Целевой файл для сохранения замены",
    /*  62 */ "Перекодировать файлов - %.0n шт.",
    /*  63 */ "Перекодировано файлов - %.0n из %.0n",
    /*  64 */ "Перекодировка %s - %.0n из %.0n",
    /*  65 */ "Перекодировать файл:",
    /*  66 */ "Обработано файлов - %d из %d  Файлов - %d / %d  В файле - %d / %d  Всего - %d / %d (найдено/сохранено)",
    /*  67 */ "Файлов - %d / %d (найдено/сохранено)",
    /*  68 */ "Всего - %d / %d (найдено/сохранено)",
    /*  69 */ "Сохранено",
    /*  70 */ "Заменено",
    /*  71 */ "Копировать",
    /*  72 */ "установить атрибуты раскраски",
    /*  73 */ "вставить из списка",
    /*  74 */ "Выберите файл для настройки его раскраски",
    /*  75 */ "найдено - %d  заменено - %d",
    /*  76 */ "Таблица регулярных выражений была изменена.",
    /*  77 */ "Сохранить изменения?",
    /*  78 */ "Сохранить таблицу раскраски?",
    /*  79 */ "Сохранить таблицу регулярных выражений?",
    /*  80 */ "Сохранить изменения в таблице раскраски:",
    /*  81 */ "",
    /*  82 */ "",
    /*  83 */ "",
    /*  84 */ "",
    /*  85 */ "",
    /*  86 */ "",
    /*  87 */ "",
    /*  88 */ "",
    /*  89 */ "",
    /*  90 */ "",
    /*  91 */ "",
    /*  92 */ "",
    /*  93 */ "",
    /*  94 */ "",
    /*  95 */ "",
    /*  96 */ "",
    /*  97 */ "",
    /*  98 */ "",
    /*  99 */ "",
};

// Captions and hints applied once at start (100 to 360), in index order.
constexpr std::array<CaptionEntry, kLastCaptionIndex - kFirstCaptionIndex + 1> kCaptions = {{
    /* 100 */ { kCreateDir, "TfmCreateDir", kWindowTitle, "Создать новый каталог" },
    /* 101 */ { kTargetExists, "TForm3", kWindowTitle, "ВНИМАНИЕ!" },
    /* 102 */ { kTargetExists, "Label1", kCaption, "файл уже существует" },
    /* 103 */ { kTargetExists, "bbRewrite", kCaption, "&Перезаписать" },
    /* 104 */ { kTargetExists, "bbAdd", kCaption, "&Дописать" },
    /* 105 */ { kTargetExists, "bbCancel", kCaption, "&Отмена" },
    /* 106 */ { kResponseTime, "TForm9", kWindowTitle, "Настройка" },
    /* 107 */ { kResponseTime, "StaticText1", kCaption, "Установка минимального времени отклика системы" },
    /* 108 */ { kSelectFiles, "TFormSelectFiles", kWindowTitle, "Выделение файлов" }, // chosen
    /* 109 */ { kSelectFiles, "stInfo", kCaption, "Укажите шаблон(ы) файлов (например: s*.htm;*.tx?)" },
    /* 110 */ { kFileSplit, "TFormSetFileSplit", kWindowTitle, "Установка параметров" },
    /* 111 */ { kFileSplit, "GroupBox1", kCaption, " нумеровать файлы соответственно " },
    /* 112 */ { kFileSplit, "GroupBox2", kCaption, " сохранять замену в файл " },
    /* 113 */ { kFileSplit, "GroupBox3", kCaption, " начиная с номера " },
    /* 114 */ { kFileSplit, "GroupBox4", kCaption, " цифр " },
    /* 115 */ { kFileSplit, "GroupBox5", kCaption, " разделитель " },
    /* 116 */ { kFileSplit, "rbReplaceCount", kCaption, "количеству замен" },
    /* 117 */ { kFileSplit, "rbFoundCount", kCaption, "количесву найденного" },
    /* 118 */ { kFileSplit, "CheckBoxFileNameSource", kCaption, "с тем же именем" },
    /* 119 */ { kFileSplit, "sbSelectFileName", kHint, "выбрать имя файла" },
    /* 120 */ { kConverter, "TFormSetModeConverter", kWindowTitle, "Перекодировка файла(ов)" },
    /* 121 */ { kConverter, "stFrom", kCaption, "из" },
    /* 122 */ { kConverter, "stTo", kCaption, "в" },
    /* 123 */ { kMain, "TabSheetManual", kTabText, "Описание" },
    /* 124 */ { kMain, "TabSheetWork", kTabText, "Поиск и Замена" },
    /* 125 */ { kMain, "TabSheetReport", kTabText, "Отчет" },
    /* 126 */ { kMain, "TabSheetOptions", kTabText, "Таблица и общие настройки" },
    /* 127 */ { kMain, "tbSubDir", kHint, "учитывая подкаталоги" },
    /* 128 */ { kMain, "tbFindFiles", kHint, "выбрать файлы, в которых найдено" },
    /* 129 */ { kMain, "tbNotFindFiles", kHint, "выбрать файлы, в которых не найдено" },
    /* 130 */ { kMain, "tbAllFiles", kHint, "выбрать все файлы" },
    /* 131 */ { kMain, "tbBreak", kHint, "прервать процесс" },
    /* 132 */ { kMain, "AnimateProcess", kHint, "идет процесс" }, // chosen
    /* 133 */ { kMain, "tbReplToFile", kHint, "сохранять все замены в один файл" },
    /* 134 */ { kMain, "tbFileSplit", kHint, "сохранять замену в новый файл" },
    /* 135 */ { kMain, "tbBatch", kHint, "многопроходной режим" },
    /* 136 */ { kMain, "tbSaveBackup", kHint, "сохранять копию оригинала" },
    /* 137 */ { kMain, "cbCodePage", kHint, "текущая кодовая страница" },
    /* 138 */ { kMain, "tbRestore", kHint, "вернуться к последней сохраненной копии" },
    /* 139 */ { kMain, "tbRestoreAll", kHint, "вернуться к первоначальной сохраненной копии" },
    /* 140 */ { kMain, "tbDelAllBackup", kHint, "удалить все страховочные копии" },
    /* 141 */ { kMain, "tbLoadFile", kHint, "загрузить файл в редактор" },
    /* 142 */ { kMain, "tbSaveAs", kHint, "сохранить как..." },
    /* 143 */ { kMain, "tbSave", kHint, "сохранить" },
    /* 144 */ { kMain, "tbSetFont", kHint, "установить шрифт для активного элемента" },
    /* 145 */ { kMain, "tbSetColor", kHint, "установить цвет для активного элемента" },
    /* 146 */ { kMain, "tbWordWrap", kHint, "переносить по словам" },
    /* 147 */ { kMain, "tbColour", kHint, "раскрашивать файлы" },
    /* 148 */ { kMain, "tbSetColour", kHint, "настройка раскраски файла" },
    /* 149 */ { kMain, "tbWebBrowser", kHint, "автопросмотр файлов" },
    /* 150 */ { kMain, "tbHelp", kHint, "помощь" },
    /* 151 */ { kMain, "tbTutorial", kHint, "звуковое обучение" },
    /* 152 */ { kMain, "GroupBoxFindStr", kCaption, "| найти: |" },
    /* 153 */ { kMain, "sbInsertToFind", kHint, "вставить из списка" },
    /* 154 */ { kMain, "cbFind", kHint, "регулярное выражение для поиска" }, // chosen
    /* 155 */ { kMain, "sbFind", kHint, "найти" },
    /* 156 */ { kMain, "GroupBoxReplaceStr", kCaption, "| заменить на: |" }, // chosen
    /* 157 */ { kMain, "sbInsertToReplace", kHint, "вставить из списка" },
    /* 158 */ { kMain, "cbReplace", kHint, "выражение для замены" }, // chosen
    /* 159 */ { kMain, "sbReplacePassim", kHint, "заменить везде" },
    /* 160 */ { kMain, "GroupBoxRemarkStr", kCaption, "| комментарий: |" }, // chosen
    /* 161 */ { kMain, "cbRemark", kHint, "комментарий: модификаторы поиска и режим замены" }, // chosen
    /* 162 */ { kMain, "tbInsertTable", kHint, "добавить в таблицу" },
    /* 163 */ { kMain, "tbEditTable", kHint, "заменить в таблице" },
    /* 164 */ { kMain, "sbSortName", kCaption, "Имя" },
    /* 165 */ { kMain, "sbSortName", kHint, "сортировать по имени" }, // chosen
    /* 166 */ { kMain, "sbSortExt", kCaption, "Тип" },
    /* 167 */ { kMain, "sbSortExt", kHint, "сортировать по типу" }, // chosen
    /* 168 */ { kMain, "sbSortDate", kCaption, "Дата" },
    /* 169 */ { kMain, "sbSortDate", kHint, "сортировать по дате" }, // chosen
    /* 170 */ { kMain, "sbSortSize", kCaption, "Размер" },
    /* 171 */ { kMain, "sbSortSize", kHint, "сортировать по размеру" }, // chosen
    /* 172 */ { kMain, "TabSheetWeb", kTabText, "Просмотр" },
    /* 173 */ { kMain, "TabSheetFindReplace", kTabText, "Редактирование" },
    /* 174 */ { kMain, "LabelReplaceWith", kCaption, "Заменить на:" },
    /* 175 */ { kMain, "sbYes", kCaption, "F2   Заменить" },
    /* 176 */ { kMain, "sbYes", kHint, "заменить найденное" }, // chosen
    /* 177 */ { kMain, "sbYesToAll", kCaption, "Alt-F2   Заменить все в файле" },
    /* 178 */ { kMain, "sbYesToAll", kHint, "заменить все найденное в этом файле" }, // chosen
    /* 179 */ { kMain, "sbAll", kCaption, "Заменить все" },
    /* 180 */ { kMain, "sbAll", kHint, "заменить все найденное во всех оставшихся файлах" }, // chosen
    /* 181 */ { kMain, "sbIgnore", kCaption, "F3   Поиск далее" },
    /* 182 */ { kMain, "sbIgnore", kHint, "пропустить и искать далее" }, // chosen
    /* 183 */ { kMain, "sbNoToAll", kCaption, "Alt-F3   Поиск в следующем файле" },
    /* 184 */ { kMain, "sbNoToAll", kHint, "пропустить остаток файла" }, // chosen
    /* 185 */ { kMain, "sbAbort", kCaption, "Отмена" },
    /* 186 */ { kMain, "sbAbort", kHint, "прервать замену" }, // chosen
    /* 187 */ { kMain, "sbView", kCaption, "F3  Просмотр" },
    /* 188 */ { kMain, "sbEdit", kCaption, "F4  Правка" },
    /* 189 */ { kMain, "sbCopy", kCaption, "F5  Копировать" },
    /* 190 */ { kMain, "sbMove", kCaption, "F6  Переместить" },
    /* 191 */ { kMain, "sbDelete", kCaption, "F8  Удалить" },
    /* 192 */ { kMain, "tbSaveTable", kHint, "сохранить таблицу" },
    /* 193 */ { kMain, "tbLoadTable", kHint, "загрузить таблицу" },
    /* 194 */ { kMain, "tbDeleteFromTable", kHint, "удалить строку из таблицы" },
    /* 195 */ { kMain, "tbInsertToTable", kHint, "вставить новую строку в таблицу" },
    /* 196 */ { kMain, "tbMoveTop", kHint, "переместить вверх" },
    /* 197 */ { kMain, "tbMoveUp", kHint, "переместить выше" },
    /* 198 */ { kMain, "tbMoveDown", kHint, "переместить ниже" },
    /* 199 */ { kMain, "tbMoveBottom", kHint, "переместить вниз" },
    /* 200 */ { kMain, "tbSetFont1", kHint, "установить шрифт для активного элемента" }, // chosen
    /* 201 */ { kMain, "tbSetColor1", kHint, "установить цвет для активного элемента" }, // chosen
    /* 202 */ { kMain, "tbWordWrapMemo", kHint, "переносить по словам" },
    /* 203 */ { kMain, "tbHelpTable", kHint, "помощь" },
    /* 204 */ { kMain, "GroupBoxSpaceChars", kCaption, " Перечень \"пробельных\" символов (\\s) " },
    /* 205 */ { kMain, "GroupBoxWordChars", kCaption, " Перечень буквенно-цифровых символов (\\w) " },
    /* 206 */ { kMain, "GroupBoxGlobalModifier", kCaption, " Глобальные Модификаторы поиска " },
    /* 207 */ { kMain, "CheckBoxModifierI", kHint, "регистро-независимый режим" },
    /* 208 */ { kMain, "CheckBoxModifierM", kHint, "воспринимать входной текст как многострочный" },
    /* 209 */ { kMain, "CheckBoxModifierS", kHint, "воспринимать входной текст как одну строку" },
    /* 210 */ { kMain, "CheckBoxModifierX", kHint, "игнорировать пробелы, табуляции, разделители строк и включать коментарии (# до конца строки)" },
    /* 211 */ { kMain, "CheckBoxModifierG", kHint, "«жадный» режим" },
    /* 212 */ { kMain, "GroupBoxGlobalModeReplace", kCaption, " Глобальный Режим замены " },
    /* 213 */ { kMain, "rbSimpleReplace", kCaption, "Простая замена" },
    /* 214 */ { kMain, "rbSubstitute", kCaption, "Использовать подстановку" },
    /* 215 */ { kMain, "rbExtendedReplace", kCaption, "Расширенный синтаксис замены" },
    /* 216 */ { kMain, "GroupBoxFind", kCaption, " Выражение для поиска " },
    /* 217 */ { kMain, "GroupBoxReplace", kCaption, " Выражение для замены " },
    /* 218 */ { kMain, "sbAddToTable", kCaption, "добавить в таблицу" },
    /* 219 */ { kMain, "sbReplaceToTable", kCaption, "заменить в таблице" },
    /* 220 */ { kMain, "sbDeleteToTable", kCaption, "удалить в таблице" },
    /* 221 */ { kMain, "sbQuoteMemoFind", kCaption, "экранировать метасимволы в выделенном" },
    /* 222 */ { kMain, "sbQuoteMemoFind", kHint, "экранировать все метасимволы в выделенном тексте" },
    /* 223 */ { kMain, "miOperations", kCaption, "&Операции" },
    /* 224 */ { kMain, "miFind", kCaption, "Поиск" },
    /* 225 */ { kMain, "miReplacePassim", kCaption, "Заменить везде" },
    /* 226 */ { kMain, "miReplace", kCaption, "Заменить" },
    /* 227 */ { kMain, "miReplaceInFile", kCaption, "Заменить в файле" },
    /* 228 */ { kMain, "miReplaceAll", kCaption, "Заменить далее везде" },
    /* 229 */ { kMain, "miIgnore", kCaption, "Поиск далее" },
    /* 230 */ { kMain, "miNextFile", kCaption, "Поиск в следующем файле" },
    /* 231 */ { kMain, "miFindFiles", kCaption, "Вывести в отчет файлы, в которых найдено" },
    /* 232 */ { kMain, "miNotFindFiles", kCaption, "Вывести в отчет файлы, в которых не найдено" },
    /* 233 */ { kMain, "miAllFiles", kCaption, "Вывести в отчет выбранные файлы" },
    /* 234 */ { kMain, "miFindTag", kCaption, "Поиск парного Тэга в HTML-документе" },
    /* 235 */ { kMain, "miSelectTag", kCaption, "Выделить блок Тэга в HTML-документе" },
    /* 236 */ { kMain, "miSelectToWebBrowser", kCaption, "Просмотр выделенного блока как HTML-документ" },
    /* 237 */ { kMain, "miRestore", kCaption, "Вернуться к предыдущей копии" },
    /* 238 */ { kMain, "miRestoreAll", kCaption, "Вернуться к первоначальной копии" },
    /* 239 */ { kMain, "miDelAllBackup", kCaption, "Удалить Все страховочные копии" },
    /* 240 */ { kMain, "miConverter", kCaption, "Перекодировать файлы..." },
    /* 241 */ { kMain, "miQuote", kCaption, "Экранировать метасимволы в выделенном тексте" },
    /* 242 */ { kMain, "miLoadFile", kCaption, "Загрузить файл в редактор" },
    /* 243 */ { kMain, "miSave", kCaption, "Сохранить содержимое редактора" },
    /* 244 */ { kMain, "miSaveAs", kCaption, "Сохранить как..." },
    /* 245 */ { kMain, "miAbort", kCaption, "Прервать процесс" },
    /* 246 */ { kMain, "miSettings", kCaption, "&Настройка" },
    /* 247 */ { kMain, "miModifierI", kCaption, "Игнорировать регистр" },
    /* 248 */ { kMain, "miModifierS", kCaption, "Обработка нескольких строк" },
    /* 249 */ { kMain, "miModifierM", kCaption, "Многострочный режим" },
    /* 250 */ { kMain, "miModifierX", kCaption, "Игнорировать пробелы" },
    /* 251 */ { kMain, "miModifierG", kCaption, "«Жадный» режим" },
    /* 252 */ { kMain, "miSimpleReplace", kCaption, "Простая замена" },
    /* 253 */ { kMain, "miSubstitute", kCaption, "Использовать подстановку" },
    /* 254 */ { kMain, "miExtendedReplace", kCaption, "Расширенный режим замены" },
    /* 255 */ { kMain, "miSubDir", kCaption, "Обрабатывать включая подкаталоги" },
    /* 256 */ { kMain, "miOutRTF", kCaption, "Обрабатывать RTF-файлы как форматированный текст" }, // chosen
    /* 257 */ { kMain, "miHideFiles", kCaption, "Обрабатывать скрытые и системные файлы" },
    /* 258 */ { kMain, "miReport", kCaption, "Выводить отчет" },
    /* 259 */ { kMain, "miReplToFile", kCaption, "Сохранять все замены в один файл" },
    /* 260 */ { kMain, "miFileSplit", kCaption, "Сохранять замену в файл" },
    /* 261 */ { kMain, "miBatch", kCaption, "Многопроходной режим" },
    /* 262 */ { kMain, "miSaveBackup", kCaption, "Сохранять копии оригинала" },
    /* 263 */ { kMain, "miWordWrap", kCaption, "Переносить по словам" },
    /* 264 */ { kMain, "miColour", kCaption, "Раскраска" },
    /* 265 */ { kMain, "miSetColour", kCaption, "Настройка раскраски" },
    /* 266 */ { kMain, "miWebBrowser", kCaption, "Автопросмотр файлов" },
    /* 267 */ { kMain, "miSetFont", kCaption, "Установить шрифт" },
    /* 268 */ { kMain, "miSetColor", kCaption, "Установить цвет" },
    /* 269 */ { kMain, "miSetTime", kCaption, "Изменить время отклика - &0.500 sec" },
    /* 270 */ { kMain, "miAutoSave", kCaption, "Автосохранение" },
    /* 271 */ { kMain, "miHelpMenu", kCaption, "&Справка" },
    /* 272 */ { kMain, "miHelp", kCaption, "Помощь" },
    /* 273 */ { kMain, "miSupport", kCaption, "Поддержка" },
    /* 274 */ { kMain, "miManual", kCaption, "Описание" },
    /* 275 */ { kMain, "miView", kCaption, "Просмотр" },
    /* 276 */ { kMain, "miEdit", kCaption, "Правка" },
    /* 277 */ { kMain, "miCopy", kCaption, "Копировать" },
    /* 278 */ { kMain, "miMove", kCaption, "Переместить" },
    /* 279 */ { kMain, "miCreateDir", kCaption, "Создать каталог" },
    /* 280 */ { kMain, "miDelete", kCaption, "Удалить" },
    /* 281 */ { kMain, "miMetacharacters", kCaption, "Метасимволы" },
    /* 282 */ { kMain, "miAnyCharacter", kCaption, "Любой знак  ." },
    /* 283 */ { kMain, "miAnySetOfCharacters", kCaption, "Любой знак из перечисленных  [ ]" },
    /* 284 */ { kMain, "miAnyExceptSetOfCharacters", kCaption, "Любой знак исключая перечисленные  [^]" },
    /* 285 */ { kMain, "miAnyFromRangeOfCharacters", kCaption, "Любой знак в диапозоне  [ - ]" },
    /* 286 */ { kMain, "miAlphanumericCharacter", kCaption, "Буквенно-цифровой символ  \\w" },
    /* 287 */ { kMain, "miNotAlphanumericCharacter", kCaption, "НЕ Буквенно-цифровой символ  \\W" },
    /* 288 */ { kMain, "miDecimalDigit", kCaption, "Цифровой символ  \\d" },
    /* 289 */ { kMain, "miNotDecimalDigit", kCaption, "НЕ Цифровой символ  \\D" },
    /* 290 */ { kMain, "miBlankCharacter", kCaption, "Любой \"пробельный\" знак  \\s" },
    /* 291 */ { kMain, "miNotBlankCharacter", kCaption, "Любой \"НЕ пробельный\" знак  \\S" },
    /* 292 */ { kMain, "miTabCharacter", kCaption, "Знак табуляции  \\t" },
    /* 293 */ { kMain, "miReturn", kCaption, "Перевод строки  \\r\\n" },
    /* 294 */ { kMain, "miHexCodeChar", kCaption, "Шестнадцатеричный Код Символа  \\xNN" },
    /* 295 */ { kMain, "miDelimiters", kCaption, "Метасимволы-разделители" },
    /* 296 */ { kMain, "miDelimiterOfWord", kCaption, "Граница слова  \\b" },
    /* 297 */ { kMain, "miNotDelimiterOfWord", kCaption, "НЕ Граница слова  \\B" },
    /* 298 */ { kMain, "miBeginningOfLine", kCaption, "Начало строки  ^" },
    /* 299 */ { kMain, "miEndOfLine", kCaption, "Конец строки  $" },
    /* 300 */ { kMain, "miBeginningOfText", kCaption, "Начало текста  \\A" },
    /* 301 */ { kMain, "miEndOfText", kCaption, "Конец текста  \\Z" },
    /* 302 */ { kMain, "miRepeaters", kCaption, "Метасимволы-повторители" },
    /* 303 */ { kMain, "mi0orMoreMatches", kCaption, "Предыдущий 0 и более раз  *" },
    /* 304 */ { kMain, "mi1orMoreMatches", kCaption, "Предыдущий 1 и более раз  +" },
    /* 305 */ { kMain, "mi0or1Matches", kCaption, "Предыдущий 0 или 1 раз  ?" },
    /* 306 */ { kMain, "miOnlyNMatches", kCaption, "Предыдущий точно n раз  {n}" },
    /* 307 */ { kMain, "miNorMoreMatches", kCaption, "Предыдущий Не менее n раз  {n,}" },
    /* 308 */ { kMain, "miFromNtoMMatches", kCaption, "Не менее n, но Не более m раз  {n,m}" },
    /* 309 */ { kMain, "miSpecialCharacters", kCaption, "Спецсимволы" },
    /* 310 */ { kMain, "miLeftParenthesis", kCaption, "знак Открывающая круглая скобка  \\(" }, // chosen
    /* 311 */ { kMain, "miRightParenthesis", kCaption, "знак Закрывающая круглая скобка  \\)" }, // chosen
    /* 312 */ { kMain, "miLeftBracket", kCaption, "знак Открывающая квадратная скобка  \\[" }, // chosen
    /* 313 */ { kMain, "miRightBracket", kCaption, "знак Закрывающая квадратная скобка  \\]" }, // chosen
    /* 314 */ { kMain, "miDot", kCaption, "знак Точка  \\." }, // chosen
    /* 315 */ { kMain, "miPlus", kCaption, "знак Плюс  \\+" }, // chosen
    /* 316 */ { kMain, "miAsterisk", kCaption, "знак Звездочка  \\*" }, // chosen
    /* 317 */ { kMain, "miQuery", kCaption, "знак Вопросительный знак  \\?" }, // chosen
    /* 318 */ { kMain, "miBackslash", kCaption, "знак Обратный слеш  \\\\" }, // chosen
    /* 319 */ { kMain, "miOr", kCaption, "Или  |" },
    /* 320 */ { kMain, "miGroup", kCaption, "Выражение  ( )" },
    /* 321 */ { kMain, "miBackreferences", kCaption, "Искомое выражение  \\1..\\9" },
    /* 322 */ { kMain, "miSearchMode", kCaption, "Изменение режима поиска" },
    /* 323 */ { kMain, "miCaseInsensitive", kCaption, "Игнорировать регистр  (?i)" },
    /* 324 */ { kMain, "miCaseSensitive", kCaption, "Учитывать регистр  (?-i)" },
    /* 325 */ { kMain, "miModeS", kCaption, "Воспринимать текст, как одна строка  (?s)" },
    /* 326 */ { kMain, "miModeM", kCaption, "Воспринимать текст, как многострочный  (?m)" },
    /* 327 */ { kMain, "miModeNotGreedy", kCaption, "\"Не жадный\" режим  (?-g)" },
    /* 328 */ { kMain, "miModeGreedy", kCaption, "\"Жадный\" режим  (?g)" },
    /* 329 */ { kMain, "miReadyPatterns", kCaption, "Готовый шаблон" },
    /* 330 */ { kMain, "miDecimalNumber", kCaption, "Десятичный номер" },
    /* 331 */ { kMain, "miHexadecimalNumber", kCaption, "Шестнадцатеричный номер" },
    /* 332 */ { kMain, "miRealNumber", kCaption, "Действительное число" },
    /* 333 */ { kMain, "miAlphabeticString", kCaption, "Слово" },
    /* 334 */ { kMain, "miIdentifier", kCaption, "Идентификатор" },
    /* 335 */ { kMain, "miQuotedString", kCaption, "Строка в кавычках" },
    /* 336 */ { kMain, "miRegularExpressionsHelp", kCaption, "регулярные выражения Поиска..." },
    /* 337 */ { kMain, "miFirstFoundGroup", kCaption, "Искомое выражение  $1..$15" },
    /* 338 */ { kMain, "miFoundText", kCaption, "Весь найденный текст  $0" },
    /* 339 */ { kMain, "miSetWidth", kCaption, "Задать ширину вывода  -{,,,}" },
    /* 340 */ { kMain, "miCaseConversion", kCaption, "Изменение регистра символов" },
    /* 341 */ { kMain, "miLowerCase", kCaption, "Преобразовывать в нижний регистр  \\L" },
    /* 342 */ { kMain, "miUpperCase", kCaption, "Преобразовывать в верхний регистр  \\U" },
    /* 343 */ { kMain, "miInvertCase", kCaption, "Инвертирование регистра символов  \\I" },
    /* 344 */ { kMain, "miStopCase", kCaption, "Прекратить изменять регистр  \\/" },
    /* 345 */ { kMain, "miLowerChar", kCaption, "Преобразовать в нижний регистр символ  \\l" },
    /* 346 */ { kMain, "miUpperChar", kCaption, "Преобразовать в верхний регистр символ  \\u" },
    /* 347 */ { kMain, "miInvertChar", kCaption, "Инвертировать регистр символа  \\i" },
    /* 348 */ { kMain, "miBeginningQuota", kCaption, "Начало квотирования операторов  \\Q" },
    /* 349 */ { kMain, "miEndQuota", kCaption, "Конец квотирования операторов  \\E" },
    /* 350 */ { kMain, "miSpecialSymbols", kCaption, "Спецсимволы" },
    /* 351 */ { kMain, "miBackslashSymbol", kCaption, "Обратный Слеш  \\\\" }, // chosen
    /* 352 */ { kMain, "miBracketSymbol", kCaption, "Левая Квадратная скопка  \\[" }, // chosen
    /* 353 */ { kMain, "miBraceSymbol", kCaption, "Левая Фигурная скобка  \\{" }, // chosen
    /* 354 */ { kMain, "miMinusSymbol", kCaption, "Минус  \\-" }, // chosen
    /* 355 */ { kMain, "miDollarSymbol", kCaption, "Доллар  \\$" }, // chosen
    /* 356 */ { kMain, "miHexCode", kCaption, "Шестнадцатеричный Код Символа  \\xNN" },
    /* 357 */ { kMain, "miCounter", kCaption, "Подставить значение счетчика  \\#{,,s,z,f}" },
    /* 358 */ { kMain, "miPathOfFile", kCaption, "Путь к обрабатываемому файлу \\P{F,/}" },
    /* 359 */ { kMain, "miNameOfFile", kCaption, "Имя обрабатываемого файла  \\F{F}" },
    /* 360 */ { kMain, "miHelpRegularExpretionForReplace", kCaption, "регулярные выражения Замены..." },
}};

// A note for translators (361 to 364).
constexpr std::array<std::string_view, kCoreMessageCount - kLastCaptionIndex - 1> kTranslatorNote = {
    /* 361 */ "",
    /* 362 */ "ВНИМАНИЕ !!!",
    /* 363 */ "Пустые строки не удалять.",
    /* 364 */ "",
};

// clang-format on

std::array<std::string_view, kMessageCount> AssembleUtf8()
{
    std::array<std::string_view, kMessageCount> all {};
    size_t i = 0;
    for (std::string_view text : kMessages)
        all[i++] = text;
    for (const CaptionEntry& entry : kCaptions)
        all[i++] = entry.text;
    for (std::string_view text : kTranslatorNote)
        all[i++] = text;
    for (std::string_view text : ExtendedMessagesUtf8())
        all[i++] = text;
    assert(i == all.size());
    return all;
}

std::array<CaptionTarget, kCaptions.size()> AssembleTargets()
{
    std::array<CaptionTarget, kCaptions.size()> targets {};
    for (size_t i = 0; i < kCaptions.size(); ++i)
        targets[i] = CaptionTarget { kFirstCaptionIndex + static_cast<int>(i), kCaptions[i].window,
            kCaptions[i].objectName, kCaptions[i].property };
    return targets;
}

} // namespace

std::span<const std::string_view> BuiltInMessagesUtf8()
{
    static const std::array<std::string_view, kMessageCount> utf8 = AssembleUtf8();
    return utf8;
}

const std::vector<std::string>& BuiltInMessages()
{
    static const std::vector<std::string> table = [] {
        std::vector<std::string> converted;
        converted.reserve(kMessageCount);
        for (std::string_view text : BuiltInMessagesUtf8())
            converted.push_back(codepage::Utf8ToWin1251(text));
        return converted;
    }();
    return table;
}

std::span<const CaptionTarget> CaptionTargets()
{
    static const auto targets = AssembleTargets();
    return targets;
}

} // namespace morvane::app
