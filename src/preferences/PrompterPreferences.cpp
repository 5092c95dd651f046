#include "PrompterPreferences.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <array>
#include <cmath>

namespace lumetra {

namespace {

struct NumberField {
    QLatin1String name;
    double PrompterPreferences::*member;
};

struct FlagField {
    QLatin1String name;
    bool PrompterPreferences::*member;
};

const std::array<NumberField, 10> numberFields { {
    { QLatin1String("scrollSpeed"), &PrompterPreferences::scrollSpeed },
    { QLatin1String("fontSize"), &PrompterPreferences::fontSize },
    { QLatin1String("lineSpacing"), &PrompterPreferences::lineSpacing },
    { QLatin1String("textBrightness"), &PrompterPreferences::textBrightness },
    { QLatin1String("backgroundBrightness"), &PrompterPreferences::backgroundBrightness },
    { QLatin1String("displayContrast"), &PrompterPreferences::displayContrast },
    { QLatin1String("horizontalMargin"), &PrompterPreferences::horizontalMargin },
    { QLatin1String("verticalMargin"), &PrompterPreferences::verticalMargin },
    { QLatin1String("readingPosition"), &PrompterPreferences::readingPosition },
    { QLatin1String("readTextOpacity"), &PrompterPreferences::readTextOpacity },
} };

const std::array<FlagField, 4> flagFields { {
    { QLatin1String("isHorizontallyFlipped"), &PrompterPreferences::isHorizontallyFlipped },
    { QLatin1String("isReadingGuidePinned"), &PrompterPreferences::isReadingGuidePinned },
    { QLatin1String("isHighlightEnabled"), &PrompterPreferences::isHighlightEnabled },
    { QLatin1String("isAutoLoopEnabled"), &PrompterPreferences::isAutoLoopEnabled },
} };

const QLatin1String shortcutSettingsName("shortcutSettings");

std::optional<ShortcutSettings> shortcutsFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    ShortcutSettings shortcuts;
    for (const ShortcutSettingsField &field : shortcutSettingsFields) {
        const QJsonValue key = object.value(field.name);
        if (!key.isString())
            return std::nullopt;
        shortcuts.*field.member = key.toString();
    }
    return shortcuts;
}

} // namespace

QByteArray PrompterPreferences::toJson() const
{
    QJsonObject object;
    for (const NumberField &field : numberFields) {
        const double number = this->*field.member;
        // The JSON writer would silently turn these into null, which could never be read back.
        if (!std::isfinite(number))
            return {};
        object.insert(field.name, number);
    }
    for (const FlagField &field : flagFields)
        object.insert(field.name, this->*field.member);
    QJsonObject shortcuts;
    for (const ShortcutSettingsField &field : shortcutSettingsFields)
        shortcuts.insert(field.name, shortcutSettings.*field.member);
    object.insert(shortcutSettingsName, shortcuts);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<PrompterPreferences> PrompterPreferences::fromJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();

    PrompterPreferences preferences;
    for (const NumberField &field : numberFields) {
        const QJsonValue value = object.value(field.name);
        if (!value.isDouble())
            return std::nullopt;
        preferences.*field.member = value.toDouble();
    }
    for (const FlagField &field : flagFields) {
        const QJsonValue value = object.value(field.name);
        if (!value.isBool())
            return std::nullopt;
        preferences.*field.member = value.toBool();
    }
    const std::optional<ShortcutSettings> shortcuts = shortcutsFromJson(object.value(shortcutSettingsName));
    if (!shortcuts)
        return std::nullopt;
    preferences.shortcutSettings = *shortcuts;
    return preferences;
}

} // namespace lumetra
