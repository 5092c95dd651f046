// Moving the persisted settings between the store and the model, and the single-key shortcuts.
#include "PrompterViewModel.h"

#include "PrompterPreferencesStore.h"

#include <algorithm>

namespace lumetra {

namespace {

constexpr double speedStep = 4;
constexpr double minimumScrollSpeed = 2;
constexpr double maximumScrollSpeed = 180;

} // namespace

void PrompterViewModel::restorePreferences()
{
    m_isRestoringPreferences = true;
    PrompterPreferences preferences = PrompterPreferencesStore::load();
    preferences.shortcutSettings.normalize();
    // Each assignment runs its ordinary reaction; the saves among them do nothing while restoring.
    setScrollSpeed(preferences.scrollSpeed);
    setFontSize(preferences.fontSize);
    setLineSpacing(preferences.lineSpacing);
    setIsHorizontallyFlipped(preferences.isHorizontallyFlipped);
    setTextBrightness(preferences.textBrightness);
    setBackgroundBrightness(preferences.backgroundBrightness);
    setDisplayContrast(preferences.displayContrast);
    setHorizontalMargin(preferences.horizontalMargin);
    setVerticalMargin(preferences.verticalMargin);
    setReadingPosition(preferences.readingPosition);
    setIsReadingGuidePinned(preferences.isReadingGuidePinned);
    setIsHighlightEnabled(preferences.isHighlightEnabled);
    setReadTextOpacity(preferences.readTextOpacity);
    setIsAutoLoopEnabled(preferences.isAutoLoopEnabled);
    setShortcutSettings(preferences.shortcutSettings);
    m_isRestoringPreferences = false;
}

void PrompterViewModel::savePreferences()
{
    if (m_isRestoringPreferences)
        return;
    PrompterPreferences preferences;
    preferences.scrollSpeed = m_scrollSpeed;
    preferences.fontSize = m_fontSize;
    preferences.lineSpacing = m_lineSpacing;
    preferences.isHorizontallyFlipped = m_isHorizontallyFlipped;
    preferences.textBrightness = m_textBrightness;
    preferences.backgroundBrightness = m_backgroundBrightness;
    preferences.displayContrast = m_displayContrast;
    preferences.horizontalMargin = m_horizontalMargin;
    preferences.verticalMargin = m_verticalMargin;
    preferences.readingPosition = m_readingPosition;
    preferences.isReadingGuidePinned = m_isReadingGuidePinned;
    preferences.isHighlightEnabled = m_isHighlightEnabled;
    preferences.readTextOpacity = m_readTextOpacity;
    preferences.isAutoLoopEnabled = m_isAutoLoopEnabled;
    preferences.shortcutSettings = m_shortcutSettings;
    PrompterPreferencesStore::save(preferences);
}

// Both store the speed, and so save, even when the limit leaves it as it was. Only the lower or
// the upper limit applies, so a stored speed outside 2 … 180 moves by one step toward it.
void PrompterViewModel::decreaseScrollSpeed()
{
    setScrollSpeed(std::max(m_scrollSpeed - speedStep, minimumScrollSpeed));
    savePreferences();
}

void PrompterViewModel::increaseScrollSpeed()
{
    setScrollSpeed(std::min(m_scrollSpeed + speedStep, maximumScrollSpeed));
    savePreferences();
}

bool PrompterViewModel::handlePlainShortcut(const QString &key)
{
    // The first matching action wins when two share a key.
    if (key == m_shortcutSettings.slowerKey) {
        decreaseScrollSpeed();
        return true;
    }
    if (key == m_shortcutSettings.fasterKey) {
        increaseScrollSpeed();
        return true;
    }
    if (key == m_shortcutSettings.previousSentenceKey) {
        moveToPreviousSentence();
        return true;
    }
    if (key == m_shortcutSettings.nextSentenceKey) {
        moveToNextSentence();
        return true;
    }
    return false;
}

} // namespace lumetra
