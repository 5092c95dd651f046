#include "MandarinCipherModel.h"

#include "PronunciationDictionary.h"

#include <QDir>
#include <QFile>

#include <set>

namespace lumetra::testing {
namespace {

const QString englishModel = QStringLiteral("/usr/share/pocketsphinx/model/en-us");

// Common English words of two syllables whose first three phones all differ, so that no two
// characters sound alike at their start.
const QStringList cipherWords = {
    "people",
    "little",
    "pretty",
    "seven",
    "fifty",
    "percent",
    "someone",
    "forty",
    "ninety",
    "country",
    "million",
    "nothing",
    "believe",
    "having",
    "problem",
    "looking",
    "children",
    "second",
    "sixty",
    "talking",
    "until",
    "making",
    "working",
    "wanted",
    "number",
    "public",
    "almost",
    "started",
    "couple",
    "minutes",
    "reason",
    "system",
    "women",
    "happened",
    "coming",
    "myself",
    "thinking",
    "taking",
    "parents",
    "using",
    "story",
    "become",
    "playing",
    "level",
    "living",
    "instead",
    "college",
    "supposed",
    "outside",
    "likely",
    "certain",
    "future",
    "woman",
    "party",
    "watching",
    "middle",
    "husband",
    "running",
    "married",
    "season",
    "single",
    "behind",
    "local",
    "amount",
    "music",
    "across",
    "longer",
    "topic",
    "morning",
    "unless",
    "moment",
    "involved",
    "study",
    "crazy",
    "figure",
    "students",
    "social",
    "research",
    "perhaps",
    "simply",
    "wonder",
    "feeling",
    "listen",
    "online",
    "expect",
    "private",
    "giving",
    "program",
    "movies",
    "brother",
    "common",
    "itself",
    "special",
    "nearly",
    "telling",
    "football",
    "himself",
    "waiting",
    "normal",
    "value",
    "series",
    "action",
    "smoking",
    "members",
    "extra",
    "biggest",
    "asking",
    "picture",
    "total",
    "create",
    "global",
    "travel",
    "thirteen",
    "increase",
    "trouble",
    "growing",
    "sitting",
    "calling",
    "access",
    "quickly",
    "willing",
    "depends",
    "account",
    "provide",
    "final",
    "campaign",
    "science",
    "clearly",
    "version",
    "training",
    "walking",
    "correct",
    "visit",
    "driving",
    "impact",
    "meeting",
    "younger",
    "pressure",
    "teachers",
    "learning",
    "decide",
    "writing",
    "fighting",
    "afford",
    "culture",
    "title",
    "honest",
    "winter",
    "success",
    "missing",
    "leaving",
    "legal",
    "bottom",
    "degree",
    "nation",
    "table",
    "budget",
    "contact",
    "model",
    "double",
    "healthy",
    "losing",
    "hoping",
    "harder",
    "keeping",
    "written",
    "removed",
    "island",
    "speaking",
    "female",
    "baseball",
    "freedom",
    "mention",
    "standard",
    "welcome",
    "britain",
    "central",
    "station",
    "handle",
    "airport",
    "finish",
    "indeed",
    "design",
    "agreed",
    "website",
    "released",
    "network",
    "noticed",
    "decent",
    "leaders",
    "approach",
    "drinking",
    "selling",
    "smaller",
    "machine",
    "union",
    "changing",
    "truly",
    "safety",
    "suggest",
    "doctors",
    "quarter",
    "planning",
    "broken",
    "region",
    "apart",
    "decade",
    "hotel",
    "fairly",
    "holding",
    "hearing",
    "largest",
    "demand",
    "random",
    "balance",
    "posted",
    "followed",
    "faster",
    "affect",
    "flying",
    "opened",
    "wearing",
    "slightly",
    "exist",
    "greater",
    "purpose",
    "active",
    "meaning",
    "prepared",
    "mobile",
    "council",
    "items",
    "mission",
    "humor",
    "highest",
    "useful",
    "factor",
    "massive",
    "turning",
    "evening",
    "setting",
    "appears",
    "attempt",
    "careful",
    "dealing",
    "civil",
    "admit",
    "latest",
    "covered",
    "treated",
    "corner",
    "shopping",
    "southern",
    "birthday",
    "channel",
    "argue",
};

// Every character of the texts, each once.
QStringList charactersOf(const QStringList &texts)
{
    std::set<char32_t> characters;
    for (const QString &text : texts) {
        for (const char32_t character : text.toUcs4()) {
            if (QChar::script(character) == QChar::Script_Han)
                characters.insert(character);
        }
    }
    QStringList result;
    for (const char32_t character : characters)
        result.append(QString::fromUcs4(&character, 1));
    return result;
}

} // namespace

std::optional<MandarinCipherModel> MandarinCipherModel::build(
    const QString &root, const QStringList &words, const QStringList &texts)
{
    const std::optional<PronunciationDictionary> english
        = PronunciationDictionary::load(englishModel + QStringLiteral("/cmudict-en-us.dict"));
    const QStringList characters = charactersOf(words + texts);
    if (!english || characters.size() > cipherWords.size())
        return std::nullopt;

    MandarinCipherModel model;
    QHash<QString, QString> phonesOfCharacter;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const QStringList phones = english->pronunciations(cipherWords[i]);
        if (phones.isEmpty())
            return std::nullopt;
        model.m_wordOfCharacter.insert(characters[i], cipherWords[i]);
        phonesOfCharacter.insert(characters[i], phones.front());
    }

    QString dictionary;
    for (const QString &character : characters)
        dictionary += character + QLatin1Char(' ') + phonesOfCharacter.value(character) + QLatin1Char('\n');
    for (const QString &word : words) {
        if (word.toUcs4().size() < 2)
            continue; // already there as a character
        QStringList phones;
        for (const char32_t character : word.toUcs4())
            phones.append(phonesOfCharacter.value(QString::fromUcs4(&character, 1)));
        dictionary += word + QLatin1Char(' ') + phones.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }

    model.m_folder = QDir(root).absoluteFilePath(QStringLiteral("cmusphinx-zh-cn-test"));
    QFile file(model.m_folder + QStringLiteral("/zh_cn.dic"));
    if (!QDir().mkpath(model.m_folder)
        || !QFile::link(englishModel + QStringLiteral("/en-us"), model.m_folder + QStringLiteral("/zh_cn.cd_cont_test"))
        || !file.open(QIODevice::WriteOnly) || file.write(dictionary.toUtf8()) < 0 || !file.flush())
        return std::nullopt;
    return model;
}

QString MandarinCipherModel::spoken(const QString &simplifiedText) const
{
    QStringList spoken;
    for (const char32_t character : simplifiedText.toUcs4()) {
        const QString word = m_wordOfCharacter.value(QString::fromUcs4(&character, 1));
        if (!word.isEmpty())
            spoken.append(word);
    }
    return spoken.join(QLatin1Char(' '));
}

} // namespace lumetra::testing
