// SPDX-License-Identifier: GPL-3.0-or-later
// Rules of the program's sources that no compiler checks: each folder includes only the folders
// before it, the folders below gui/ use no widget, and nothing in the program waits inside a
// handler. Every failure names the file and line.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{

const QString kSourceDir = QStringLiteral(TREMORA_SOURCE_DIR);

struct Folder {
    const char* path;
    int rank; // a folder may include its own files and those of folders of a lower rank
};

// The program's folders in their order; folders of one rank are siblings and never include each
// other (catalogue, places and tiles; search and map; charts and replay).
constexpr Folder kFolders[] = {
    { "platform", 0 },
    { "catalogue", 1 },
    { "places", 1 },
    { "tiles", 1 },
    { "table", 2 },
    { "search", 3 },
    { "map", 3 },
    { "charts", 4 },
    { "replay", 4 },
    { "state", 5 },
    { "gui/widgets", 6 },
    { "gui/window", 7 },
    { "gui/controllers", 8 },
    { "app", 9 },
};
constexpr int kFirstGuiRank = 6;

// The folder holding a path relative to the top of the tree; null outside the program folders.
const Folder* folderOf(const QString& path)
{
    for (const Folder& folder : kFolders) {
        if (path.startsWith(QString::fromLatin1(folder.path) + QLatin1Char('/')))
            return &folder;
    }
    return nullptr;
}

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The word (letters, digits, '_', '.') that ends just before position i.
QString wordBefore(const QString& text, qsizetype i)
{
    qsizetype start = i;
    while (start > 0 && (isIdentifierChar(text[start - 1]) || text[start - 1] == QLatin1Char('.')))
        --start;
    return text.mid(start, i - start);
}

// The text as the compiler sees its code: comments and the insides of string and character
// literals become blanks, line breaks stay, so a rule matches code only and line numbers hold.
QString codeOnly(const QString& text)
{
    enum class State { Code, LineComment, BlockComment, String, Char, RawString };
    QString code = text;
    State state = State::Code;
    QString rawEnd;
    const auto blank = [&code](qsizetype i) {
        if (i < code.size() && code[i] != QLatin1Char('\n'))
            code[i] = QLatin1Char(' ');
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        switch (state) {
        case State::Code:
            if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
                state = State::LineComment;
                blank(i);
            } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
                state = State::BlockComment;
                blank(i);
                blank(++i);
            } else if (c == QLatin1Char('"')) {
                static const QStringList rawPrefixes { QStringLiteral("R"), QStringLiteral("u8R"),
                    QStringLiteral("LR"), QStringLiteral("uR"), QStringLiteral("UR") };
                if (rawPrefixes.contains(wordBefore(text, i))) {
                    const qsizetype open = text.indexOf(QLatin1Char('('), i);
                    rawEnd = QLatin1Char(')') + text.mid(i + 1, open - i - 1) + QLatin1Char('"');
                    state = State::RawString;
                } else {
                    state = State::String;
                }
            } else if (c == QLatin1Char('\'')) {
                // A quote inside a number (10'000) separates digits; elsewhere it opens a literal.
                const QString word = wordBefore(text, i);
                if (word.isEmpty() || !word[0].isDigit())
                    state = State::Char;
            }
            break;
        case State::LineComment:
            if (c == QLatin1Char('\n'))
                state = State::Code;
            blank(i);
            break;
        case State::BlockComment:
            if (c == QLatin1Char('*') && next == QLatin1Char('/')) {
                blank(i);
                blank(++i);
                state = State::Code;
            } else {
                blank(i);
            }
            break;
        case State::String:
        case State::Char: {
            const QChar close = state == State::String ? QLatin1Char('"') : QLatin1Char('\'');
            if (c == QLatin1Char('\\')) {
                blank(i);
                blank(++i);
            } else if (c == close || c == QLatin1Char('\n')) {
                state = State::Code;
            } else {
                blank(i);
            }
            break;
        }
        case State::RawString:
            if (text.mid(i, rawEnd.size()) == rawEnd) {
                i += rawEnd.size() - 1;
                state = State::Code;
            } else {
                blank(i);
            }
            break;
        }
    }
    return code;
}

struct SourceFile {
    QString path; // from the top of the tree
    const Folder* folder = nullptr;
    QStringList lines;
    QStringList codeLines; // the lines as codeOnly gives them
};

// Every .h and .cpp of the program folders.
std::vector<SourceFile> programSources()
{
    std::vector<SourceFile> sources;
    const QDir top(kSourceDir);
    for (const Folder& folder : kFolders) {
        QDirIterator it(top.filePath(QString::fromLatin1(folder.path)),
            { QStringLiteral("*.h"), QStringLiteral("*.cpp") }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly)) {
                ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
                continue;
            }
            const QString text = QString::fromUtf8(file.readAll());
            SourceFile source;
            source.path = top.relativeFilePath(file.fileName());
            source.folder = folderOf(source.path);
            source.lines = text.split(QLatin1Char('\n'));
            source.codeLines = codeOnly(text).split(QLatin1Char('\n'));
            sources.push_back(std::move(source));
        }
    }
    return sources;
}

QString place(const SourceFile& file, qsizetype lineIndex)
{
    return file.path + QLatin1Char(':') + QString::number(lineIndex + 1);
}

struct Include {
    qsizetype lineIndex;
    QString name; // as written between the quotes or brackets
    bool quoted;
};

// The #include lines of a file that the compiler sees (not those inside a comment).
std::vector<Include> includesOf(const SourceFile& file)
{
    static const QRegularExpression directive(QStringLiteral(R"(^\s*#\s*include\b)"));
    static const QRegularExpression name(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    std::vector<Include> includes;
    for (qsizetype i = 0; i < file.lines.size(); ++i) {
        if (!directive.match(file.codeLines[i]).hasMatch())
            continue;
        const QRegularExpressionMatch m = name.match(file.lines[i]);
        if (m.hasMatch())
            includes.push_back({ i, m.captured(2), m.captured(1) == QLatin1String("\"") });
    }
    return includes;
}

// The program folder an include names: the path is taken from the top of the tree when a file lies
// there, else (quoted only) from the including file's own folder. Null for anything else.
const Folder* includedFolder(const SourceFile& file, const Include& include)
{
    if (QFileInfo::exists(QDir(kSourceDir).filePath(include.name)))
        return folderOf(include.name);
    if (!include.quoted)
        return nullptr;
    return folderOf(QDir::cleanPath(QFileInfo(file.path).path() + QLatin1Char('/') + include.name));
}

QString joined(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n'));
}

class SourceRules : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_sources = new std::vector<SourceFile>(programSources()); }
    static void TearDownTestSuite()
    {
        delete s_sources;
        s_sources = nullptr;
    }

    void SetUp() override
    {
        // A tree that moved away must not pass for a clean one.
        for (const Folder& folder : kFolders) {
            const bool found = std::any_of(s_sources->begin(), s_sources->end(),
                [&folder](const SourceFile& file) { return file.folder == &folder; });
            ASSERT_TRUE(found) << "no sources in " << folder.path << " under " << kSourceDir.toStdString();
        }
    }

    static const std::vector<SourceFile>& sources() { return *s_sources; }

private:
    static inline std::vector<SourceFile>* s_sources = nullptr;
};

TEST_F(SourceRules, FoldersIncludeOnlyTheFoldersBeforeThem)
{
    QStringList violations;
    for (const SourceFile& file : sources()) {
        for (const Include& include : includesOf(file)) {
            const Folder* target = includedFolder(file, include);
            if (target == nullptr || target == file.folder || target->rank < file.folder->rank)
                continue;
            const char* why = target->rank == file.folder->rank ? "beside" : "after";
            violations << QStringLiteral("%1: %2 includes %3, a folder %4 it")
                              .arg(place(file, include.lineIndex), QString::fromLatin1(file.folder->path),
                                  include.name, QString::fromLatin1(why));
        }
    }
    EXPECT_TRUE(violations.isEmpty()) << joined(violations).toStdString();
}

TEST_F(SourceRules, FoldersBeforeGuiIncludeNoWidgetOrChartHeader)
{
    QFile list(QStringLiteral(TREMORA_WIDGET_HEADER_LIST));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly)) << list.fileName().toStdString();
    QSet<QString> widgetHeaders;
    for (const QByteArray& line : list.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            widgetHeaders.insert(QString::fromUtf8(line.trimmed()));
    }
    for (const char* known : { "QWidget", "QApplication", "QLabel", "QPushButton", "QMessageBox",
             "QSystemTrayIcon", "qwidget.h", "QChartView", "QLineSeries" })
        ASSERT_TRUE(widgetHeaders.contains(QString::fromLatin1(known))) << "header list lacks " << known;
    ASSERT_FALSE(widgetHeaders.contains(QStringLiteral("QAction"))) << "QAction is a Gui class in Qt 6";

    static const QRegularExpression modulePath(QStringLiteral(R"(^(QtWidgets|QtCharts)(/|$))"));
    QStringList violations;
    for (const SourceFile& file : sources()) {
        if (file.folder->rank >= kFirstGuiRank)
            continue;
        for (const Include& include : includesOf(file)) {
            if (widgetHeaders.contains(include.name) || modulePath.match(include.name).hasMatch())
                violations << QStringLiteral("%1: %2 includes %3, a widget header")
                                  .arg(place(file, include.lineIndex), QString::fromLatin1(file.folder->path),
                                      include.name);
        }
    }
    EXPECT_TRUE(violations.isEmpty()) << joined(violations).toStdString();
}

TEST_F(SourceRules, NoNestedEventLoopOrBlockingWait)
{
    struct Rule {
        QRegularExpression pattern;
        const char* what;
    };
    const Rule rules[] = {
        { QRegularExpression(QStringLiteral(R"(\bQEventLoop\b)")), "a nested event loop" },
        { QRegularExpression(QStringLiteral(R"(\bexec\s*\()")), "a nested event loop (exec)" },
        { QRegularExpression(QStringLiteral(R"(\bprocessEvents\b)")),
            "events handled inside a handler (processEvents)" },
        { QRegularExpression(QStringLiteral(R"(\b(?:sleep|msleep|usleep|nanosleep)\s*\()")),
            "a blocking sleep" },
        { QRegularExpression(QStringLiteral(R"(\bsleep_(?:for|until)\b)")), "a blocking sleep" },
        { QRegularExpression(QStringLiteral(R"(\bqWait\w*\s*\()")), "a blocking wait (qWait)" },
        { QRegularExpression(QStringLiteral(
              R"(\bQMessageBox\s*::\s*(?:warning|critical|information|question|about|aboutQt)\b)")),
            "a blocking message box" },
        { QRegularExpression(QStringLiteral(R"(\b(?:QFileDialog|QInputDialog)\s*::\s*get[A-Z]\w*)")),
            "a nested event loop (a static dialog)" },
        { QRegularExpression(QStringLiteral(
              R"(\bwaitFor(?:Finished|ReadyRead|BytesWritten|Started|Connected|Disconnected|NewConnection)\b)")),
            "a blocking wait" },
    };
    // The one event loop of the program: the application's, in main.
    const QString mainFile = QStringLiteral("app/main.cpp");
    static const QRegularExpression mainLoop(QStringLiteral(R"(\bapp\.exec\(\))"));

    QStringList violations;
    int mainLoops = 0;
    for (const SourceFile& file : sources()) {
        for (qsizetype i = 0; i < file.codeLines.size(); ++i) {
            QString code = file.codeLines[i];
            if (file.path == mainFile && mainLoop.match(code).hasMatch()) {
                ++mainLoops;
                code.replace(mainLoop, QString());
            }
            for (const Rule& rule : rules) {
                if (rule.pattern.match(code).hasMatch())
                    violations << QStringLiteral("%1: %2: %3")
                                      .arg(place(file, i), QString::fromLatin1(rule.what),
                                          file.lines[i].trimmed());
            }
        }
    }
    EXPECT_TRUE(violations.isEmpty()) << joined(violations).toStdString();
    EXPECT_EQ(mainLoops, 1) << "main runs the application's event loop exactly once";
}

TEST(CodeOnly, BlanksCommentsAndLiteralsButKeepsCodeAndLines)
{
    const QString text = QStringLiteral("a(); // sleep(1)\n"
                                        "b(\"exec()\", 'x', 10'000); /* processEvents\n"
                                        "still comment */ c();\n"
                                        "d(R\"x(QEventLoop \")x\", '\\'', u8'q'); e();\n");
    const QStringList lines = codeOnly(text).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0].trimmed(), QStringLiteral("a();"));
    EXPECT_EQ(lines[1].simplified(), QStringLiteral("b(\" \", ' ', 10'000);"));
    EXPECT_EQ(lines[2].simplified(), QStringLiteral("c();"));
    EXPECT_EQ(lines[3].simplified(), QStringLiteral("d(R\" )x\", ' ', u8' '); e();"));
}

} // namespace
