// Deterministic benchmark corpus; see CorpusGenerator.h.

#include "CorpusGenerator.h"

#include "codepage/CodePage.h"

namespace morvane::bench {

namespace {

// Common words, so that prose patterns find realistic densities. The five words of the
// alternation pattern are among them; "ё" occurs in several, as in real text.
const char* const kRussianWords[] = { "время", "человек", "сказал", "работа", "город", "и", "в", "не", "на",
    "что", "он", "она", "они", "мы", "это", "как", "так", "его", "её", "всё", "ещё", "уже", "был", "была",
    "было", "были", "день", "год", "жизнь", "рука", "дом", "слово", "место", "лицо", "друг", "глаз", "вопрос",
    "сторона", "страна", "мир", "случай", "голова", "ребёнок", "сила", "конец", "вид", "система", "часть",
    "понимать", "знать", "говорить", "думать", "идти", "стоять", "хотеть", "видеть", "жить", "новый",
    "большой", "последний", "русский", "хороший", "главный", "лёгкий", "зелёный", "тёмный", "самолёт",
    "шёпот", "ёлка", "жёлтый", "к", "с", "по", "из", "за", "от", "для", "до", "при", "после", "через",
    "между", "только", "очень", "можно", "нужно", "сегодня", "завтра", "вчера", "потом", "тогда", "здесь",
    "там", "почему", "когда", "чтобы", "если", "или", "но", "а", "да", "нет", "ночь", "утро", "вечер", "окно",
    "дверь", "улица", "машина", "письмо", "книга", "школа", "учитель", "история", "правда", "деньги", "вода",
    "земля", "небо", "солнце", "ветер", "дорога", "поезд", "звонок", "телефон", "цена", "рубль", "щука",
    "объём", "подъезд", "эхо", "юг", "язык", "цифра", "хлеб", "фраза" };

const char* const kEnglishWords[] = { "the", "the", "the", "of", "and", "to", "a", "in", "is", "it", "you",
    "that", "he", "was", "for", "on", "are", "with", "as", "I", "his", "they", "be", "at", "one", "have",
    "this", "from", "or", "had", "by", "hot", "word", "but", "what", "some", "we", "can", "out", "other",
    "were", "all", "there", "when", "up", "use", "your", "how", "said", "an", "each", "she", "which", "do",
    "their", "time", "if", "will", "way", "about", "many", "then", "them", "write", "would", "like", "so",
    "these", "her", "long", "make", "thing", "see", "him", "two", "has", "look", "more", "day", "could", "go",
    "come", "did", "number", "sound", "no", "most", "people", "my", "over", "know", "water", "than", "call",
    "first", "who", "may", "down", "side", "been", "now", "find", "theory", "theme", "other", "breathe",
    "bathe", "search", "replace", "pattern", "file", "table", "rule", "engine", "window", "page", "text",
    "line", "script", "Script", "SCRIPT", "href", "link", "mail", "address", "user", "server", "data" };

const char* const kTagNames[] = { "div", "p", "span", "a", "li", "td", "b", "i", "em", "strong", "h1", "h2",
    "section", "article", "header", "footer", "ul", "table", "tr" };
const char* const kClassNames[] = { "content", "main", "nav", "item", "row", "col-md-6", "title", "menu",
    "footer-links", "btn btn-primary", "hidden", "text-muted" };
const char* const kDomains[] = { "example.com", "mail.ru", "yandex.ru", "gmail.com", "corp-mail.example.org",
    "uni.edu", "post.co.uk", "list-server.net", "host.io" };
const char* const kNameParts[] = { "ivan", "petrov", "anna", "smith", "john.doe", "info", "support", "sales",
    "m.ivanova", "admin", "noreply", "olga_k", "dev-team", "x" };

constexpr std::size_t kLineWidth = 78;

// First letter in upper case: Latin, Windows-1251 Cyrillic (224..255 -> 192..223) and ё -> Ё.
void Capitalize(std::string& word)
{
    if (word.empty()) {
        return;
    }
    auto c = static_cast<unsigned char>(word[0]);
    if (c >= 'a' && c <= 'z') {
        c = static_cast<unsigned char>(c - 32);
    } else if (c >= 224) {
        c = static_cast<unsigned char>(c - 32);
    } else if (c == 184) {
        c = 168;
    }
    word[0] = static_cast<char>(c);
}

// Appends `text` to `line`; when the line would grow too long it is flushed to `out` first.
void AppendWrapped(std::string& out, std::string& line, const std::string& text, const std::string& indent)
{
    if (!line.empty() && line.size() + 1 + text.size() > kLineWidth) {
        out += line;
        out += "\r\n";
        line.clear();
    }
    if (line.empty()) {
        line = indent;
    } else {
        line += ' ';
    }
    line += text;
}

} // namespace

CorpusGenerator::CorpusGenerator(std::uint64_t seed)
    : m_state(seed)
{
    for (const char* w : kRussianWords) {
        m_russian.push_back(codepage::Utf8ToWin1251(w));
    }
    for (const char* w : kEnglishWords) {
        m_english.emplace_back(w);
    }
}

// splitmix64: tiny, fast and fully specified here, so the corpus never depends on a library.
std::uint64_t CorpusGenerator::Next()
{
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::size_t CorpusGenerator::Below(std::size_t n)
{
    return static_cast<std::size_t>(Next() % n);
}

bool CorpusGenerator::Chance(unsigned percent)
{
    return Below(100) < percent;
}

const std::string& CorpusGenerator::Pick(const std::vector<std::string>& words)
{
    return words[Below(words.size())];
}

std::string CorpusGenerator::Generate(std::size_t size)
{
    std::string out;
    out.reserve(size + 4096);
    while (out.size() < size) {
        const std::size_t kind = Below(100);
        if (kind < 34) {
            AppendRussianParagraph(out);
        } else if (kind < 58) {
            AppendEnglishParagraph(out);
        } else if (kind < 84) {
            AppendHtmlBlock(out);
        } else if (kind < 94) {
            AppendNumberLines(out);
        } else {
            AppendContactLines(out);
        }
        if (Chance(40)) {
            out += "\r\n"; // an empty line between blocks
        }
    }
    return out;
}

std::string CorpusGenerator::Sentence(const std::vector<std::string>& words, bool russian)
{
    std::string s;
    const std::size_t n = 3 + Below(12);
    for (std::size_t i = 0; i < n; ++i) {
        std::string w = Pick(words);
        if (i == 0) {
            Capitalize(w);
        }
        if (!s.empty()) {
            s += ' ';
        }
        s += w;
        if (i + 1 < n && Chance(8)) {
            s += ',';
        }
        // Now and then a number or a doubled word, as real prose has them.
        if (Chance(3)) {
            s += ' ';
            s += Number(1, 4);
        } else if (!russian && Chance(2)) {
            s += ' ';
            s += Pick(words);
        }
    }
    static const char kEnds[] = { '.', '.', '.', '.', '!', '?' };
    s += kEnds[Below(sizeof kEnds)];
    return s;
}

void CorpusGenerator::AppendProse(std::string& out, const std::vector<std::string>& words, bool russian,
    std::size_t sentences, const std::string& indent)
{
    std::string line;
    for (std::size_t i = 0; i < sentences; ++i) {
        const std::string s = Sentence(words, russian);
        // Wrap at word boundaries.
        std::size_t pos = 0;
        while (pos < s.size()) {
            std::size_t sp = s.find(' ', pos);
            if (sp == std::string::npos) {
                sp = s.size();
            }
            AppendWrapped(out, line, s.substr(pos, sp - pos), indent);
            pos = sp + 1;
        }
    }
    if (!line.empty()) {
        out += line;
        out += "\r\n";
    }
}

void CorpusGenerator::AppendRussianParagraph(std::string& out)
{
    AppendProse(out, m_russian, true, 2 + Below(8), "");
}

void CorpusGenerator::AppendEnglishParagraph(std::string& out)
{
    AppendProse(out, m_english, false, 2 + Below(8), "");
}

void CorpusGenerator::AppendHtmlBlock(std::string& out)
{
    const std::string outer = kTagNames[Below(std::size(kTagNames))];
    out += "<" + outer + " class=\"" + kClassNames[Below(std::size(kClassNames))] + "\">\r\n";
    const std::size_t items = 1 + Below(6);
    for (std::size_t i = 0; i < items; ++i) {
        const std::string indent(2 + 2 * Below(3), ' ');
        const std::size_t kind = Below(10);
        if (kind < 3) {
            out += indent + "<a href=\"https://" + kDomains[Below(std::size(kDomains))] + "/"
                + Pick(m_english) + "/" + Number(1, 5) + ".html\" title=\"" + Pick(m_english) + "\">"
                + Pick(Chance(50) ? m_russian : m_english) + " " + Pick(Chance(50) ? m_russian : m_english)
                + "</a>\r\n";
        } else if (kind < 6) {
            const std::string tag = kTagNames[Below(std::size(kTagNames))];
            out += indent + "<" + tag + ">";
            AppendProse(out, Chance(50) ? m_russian : m_english, false, 1 + Below(2), "");
            out += indent + "</" + tag + ">\r\n";
        } else if (kind < 7) {
            out += indent + "<script type=\"text/javascript\">\r\n" + indent + "  var n = " + Number(1, 6)
                + "; if (n > " + Number(1, 3) + ") { document.write('<b>' + n + '</b>'); }\r\n" + indent
                + "</script>\r\n";
        } else if (kind < 8) {
            out += indent + "<img src=\"/img/" + Number(2, 4) + ".png\" alt=\"\" width=\"" + Number(2, 3)
                + "\"><br>\r\n";
        } else if (kind < 9) {
            out += indent + "<!-- " + Pick(m_english) + " " + Pick(m_english) + " -->\r\n";
        } else {
            out += indent + "<span class=\"" + kClassNames[Below(std::size(kClassNames))] + "\">"
                + Pick(m_russian) + "</span> <p>" + Pick(m_english) + "</p>\r\n";
        }
    }
    out += "</" + outer + ">\r\n";
}

void CorpusGenerator::AppendNumberLines(std::string& out)
{
    const std::size_t lines = 1 + Below(5);
    for (std::size_t i = 0; i < lines; ++i) {
        switch (Below(5)) {
        case 0:
            out += Number(4, 4) + "-" + Number(2, 2) + "-" + Number(2, 2) + " " + Number(1, 2) + ":"
                + Number(2, 2) + " " + Number(1, 7) + "\r\n";
            break;
        case 1:
            out += "+7 (" + Number(3, 3) + ") " + Number(3, 3) + "-" + Number(2, 2) + "-" + Number(2, 2)
                + "\r\n";
            break;
        case 2:
            out += Number(1, 3) + "." + Number(1, 3) + "." + Number(1, 3) + "." + Number(1, 3) + " "
                + Number(1, 5) + " " + Number(1, 5) + "\r\n";
            break;
        case 3:
            out += codepage::Utf8ToWin1251("Итого: ") + Number(1, 6) + "," + Number(2, 2)
                + codepage::Utf8ToWin1251(" руб.; заказ № ") + Number(5, 8) + "\r\n";
            break;
        default:
            for (std::size_t k = 0, n = 3 + Below(10); k < n; ++k) {
                out += Number(1, 9);
                out += (k + 1 < n) ? "\t" : "\r\n";
            }
            break;
        }
    }
}

std::string CorpusGenerator::EmailAddress()
{
    std::string a = kNameParts[Below(std::size(kNameParts))];
    if (Chance(30)) {
        a += Number(1, 3);
    }
    if (Chance(10)) {
        a += "+news";
    }
    return a + "@" + kDomains[Below(std::size(kDomains))];
}

void CorpusGenerator::AppendContactLines(std::string& out)
{
    const std::size_t lines = 1 + Below(4);
    for (std::size_t i = 0; i < lines; ++i) {
        std::string name = Pick(m_russian);
        Capitalize(name);
        out += name + " <" + EmailAddress() + ">, ";
        out += codepage::Utf8ToWin1251("тел. ") + Number(3, 3) + "-" + Number(2, 2) + "-" + Number(2, 2);
        if (Chance(50)) {
            out += "; mailto:" + EmailAddress();
        }
        out += "\r\n";
    }
}

std::string CorpusGenerator::Number(std::size_t minDigits, std::size_t maxDigits)
{
    const std::size_t n = minDigits + Below(maxDigits - minDigits + 1);
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s += static_cast<char>('0' + Below(10));
    }
    return s;
}

} // namespace morvane::bench
