#include "ScriptTextGenerator.h"

#include <QStringList>

#include <random>

namespace lumetra::testing {
namespace {

const QString cjkCharacters = QStringLiteral("今天我們來談工作流程的設計不是工具不夠強而是你還沒有重新想過這件事情每個人都會遇到問題");
const QStringList latinWords = {QStringLiteral("AI"), QStringLiteral("workflow"), QStringLiteral("Prompt"),
                                QStringLiteral("demo"), QStringLiteral("OK"), QStringLiteral("2024"),
                                QStringLiteral("Über"), QStringLiteral("café")};
const QStringList specials = {QStringLiteral("👍"), QStringLiteral("👩‍💻"), QStringLiteral("👨‍👩‍👧"),
                              QStringLiteral("e\u0301"), QStringLiteral("🇹🇼"), QStringLiteral("１２"),
                              QStringLiteral("，"), QStringLiteral("、"), QStringLiteral("："),
                              QStringLiteral("「"), QStringLiteral("」"), QStringLiteral(","), QStringLiteral(".")};
const QStringList endings = {QStringLiteral("。"), QStringLiteral("！"), QStringLiteral("？"), QStringLiteral("!"),
                             QStringLiteral("?"), QStringLiteral("；"), QStringLiteral(";"), QStringLiteral("？！"),
                             QStringLiteral("。」"), QStringLiteral("")};
const QStringList headingForms = {QStringLiteral("# %1"), QStringLiteral("  # %1"), QStringLiteral("#    %1"),
                                  QStringLiteral("## %1"), QStringLiteral("#%1"), QStringLiteral("#"),
                                  QStringLiteral("\u3000# %1\u3000")};
const QStringList blankLines = {QString(), QStringLiteral("   "), QStringLiteral("\u3000\u3000"),
                                QStringLiteral("\u00A0"), QStringLiteral("\t \u3000")};
const QStringList lineEnds = {QStringLiteral("\n"), QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }
    const QString &pick(const QStringList &list) { return list.at(below(static_cast<int>(list.size()))); }

    QString sentence(int length)
    {
        QString text;
        for (int i = 0; i < length; ++i) {
            const int kind = below(10);
            if (kind < 6)
                text += cjkCharacters.at(below(static_cast<int>(cjkCharacters.size())));
            else if (kind < 8)
                text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + pick(latinWords) + QStringLiteral(" ");
            else
                text += pick(specials);
        }
        return text.trimmed() + pick(endings);
    }

    QString paragraphLine()
    {
        QString line = below(5) == 0 ? QStringLiteral("  ") : QString();
        const int sentences = 1 + below(3);
        for (int i = 0; i < sentences; ++i)
            line += sentence(below(8) == 0 ? 40 + below(40) : 3 + below(15));
        return line;
    }

private:
    std::mt19937 m_random;
};

} // namespace

QString randomScript(std::uint32_t seed)
{
    Generator generate(seed);
    QString text;
    const int lines = generate.below(40);
    for (int i = 0; i < lines; ++i) {
        const int kind = generate.below(10);
        if (kind < 2)
            text += QString(generate.pick(headingForms)).replace(QStringLiteral("%1"), generate.sentence(1 + generate.below(5)));
        else if (kind < 4)
            text += generate.pick(blankLines);
        else
            text += generate.paragraphLine();
        if (i + 1 < lines || generate.below(2) == 0)
            text += generate.pick(lineEnds);
    }
    return text;
}

QString longScript(std::int64_t characters, std::uint32_t seed)
{
    Generator generate(seed);
    QString text;
    text.reserve(characters + 200);
    int section = 0;
    while (text.size() < characters) {
        text += QStringLiteral("# 第%1節\n\n").arg(++section);
        const int paragraphs = 2 + generate.below(4);
        for (int p = 0; p < paragraphs && text.size() < characters; ++p) {
            const int sentences = 2 + generate.below(5);
            for (int s = 0; s < sentences; ++s) {
                QString sentence;
                const int length = 8 + generate.below(30);
                for (int c = 0; c < length; ++c)
                    sentence += generate.below(25) == 0 ? generate.pick(latinWords)
                                                        : QString(cjkCharacters.at(generate.below(static_cast<int>(cjkCharacters.size()))));
                text += sentence + (generate.below(4) == 0 ? QStringLiteral("，") + sentence.left(6) : QString())
                        + QStringLiteral("。");
                if (generate.below(3) == 0)
                    text += u'\n';
            }
            text += QStringLiteral("\n\n");
        }
    }
    return text;
}

} // namespace lumetra::testing
