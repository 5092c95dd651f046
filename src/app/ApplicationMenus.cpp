#include "ApplicationMenus.h"

#include "ModelObservation.h"
#include "PrompterViewModel.h"
#include "UnsavedWorkGuard.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace lumetra {

ApplicationMenus::ApplicationMenus(PrompterViewModel &model, UnsavedWorkGuard &guard, QMainWindow &window)
    : QObject(&window)
    , m_model(model)
    , m_guard(guard)
    , m_window(window)
{
    addFileMenu();
    addPlaybackMenu();
    addRecordingMenu();
}

QAction *ApplicationMenus::addAction(QMenu *menu, const QString &text, const QKeySequence &key)
{
    QAction *action = menu->addAction(text);
    action->setShortcut(key);
    // Menus serve every window of the program, the prompter included.
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
}

void ApplicationMenus::addFileMenu()
{
    m_fileMenu = m_window.menuBar()->addMenu(QStringLiteral("檔案"));
    connect(addAction(m_fileMenu, QStringLiteral("新增講稿"), QKeySequence(Qt::CTRL | Qt::Key_N)), &QAction::triggered,
        this, [this] { m_guard.confirm([this] { m_model.newScript(); }); });
    connect(addAction(m_fileMenu, QStringLiteral("開啟講稿..."), QKeySequence(Qt::CTRL | Qt::Key_O)),
        &QAction::triggered, this,
        [this] { m_guard.confirm([this] { m_model.setIsPresentingScriptImporter(true); }); });
    connect(addAction(m_fileMenu, QStringLiteral("儲存"), QKeySequence(Qt::CTRL | Qt::Key_S)), &QAction::triggered,
        &m_model, &PrompterViewModel::saveScript);
    connect(addAction(m_fileMenu, QStringLiteral("另存新檔..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
        &QAction::triggered, this, [this] { m_model.setIsPresentingScriptExporter(true); });
    m_fileMenuEnd = m_fileMenu->addSeparator();
    connect(addAction(m_fileMenu, QStringLiteral("結束"), QKeySequence(Qt::CTRL | Qt::Key_Q)), &QAction::triggered,
        &m_window, &QWidget::close);
}

void ApplicationMenus::addSettingsItem(std::function<void()> open)
{
    auto *settings = new QAction(QStringLiteral("設定..."), m_fileMenu);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Preferences);
    if (keys.isEmpty()) // not every desktop's key scheme names one
        keys.append(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setShortcuts(keys);
    settings->setShortcutContext(Qt::ApplicationShortcut);
    settings->setMenuRole(QAction::PreferencesRole);
    connect(settings, &QAction::triggered, this, std::move(open));
    m_fileMenu->insertAction(m_fileMenuEnd, settings);
}

void ApplicationMenus::addPlaybackMenu()
{
    QMenu *menu = m_window.menuBar()->addMenu(QStringLiteral("播放"));
    QAction *play = addAction(menu, QStringLiteral("播放"), QKeySequence(Qt::Key_Space));
    connect(play, &QAction::triggered, &m_model, &PrompterViewModel::togglePlayback);
    observe(&m_model, &PrompterViewModel::isPlayingChanged, play,
        [this, play] { play->setText(m_model.isPlaying() ? QStringLiteral("暫停") : QStringLiteral("播放")); });
    connect(addAction(menu, QStringLiteral("回退"), QKeySequence(Qt::Key_Left)), &QAction::triggered, &m_model,
        &PrompterViewModel::rewind);
    connect(addAction(menu, QStringLiteral("上一句"), QKeySequence()), &QAction::triggered, &m_model,
        &PrompterViewModel::moveToPreviousSentence);
    connect(addAction(menu, QStringLiteral("下一句"), QKeySequence()), &QAction::triggered, &m_model,
        &PrompterViewModel::moveToNextSentence);
    connect(addAction(menu, QStringLiteral("回開頭"), QKeySequence(Qt::CTRL | Qt::Key_Up)), &QAction::triggered,
        &m_model, &PrompterViewModel::jumpToStart);
    menu->addSeparator();
    QAction *loop = addAction(menu, QStringLiteral("自動循環"), QKeySequence());
    loop->setCheckable(true);
    observe(&m_model, &PrompterViewModel::isAutoLoopEnabledChanged, loop,
        [this, loop] { loop->setChecked(m_model.isAutoLoopEnabled()); });
    connect(loop, &QAction::triggered, &m_model, &PrompterViewModel::setIsAutoLoopEnabled);
    menu->addSeparator();
    connect(addAction(menu, QStringLiteral("加快"), QKeySequence(Qt::CTRL | Qt::Key_Right)), &QAction::triggered,
        &m_model, &PrompterViewModel::increaseScrollSpeed);
    connect(addAction(menu, QStringLiteral("放慢"), QKeySequence(Qt::CTRL | Qt::Key_Left)), &QAction::triggered,
        &m_model, &PrompterViewModel::decreaseScrollSpeed);
    menu->addSeparator();
    connect(addAction(menu, QStringLiteral("切換水平鏡像"), QKeySequence(Qt::CTRL | Qt::Key_F)), &QAction::triggered,
        this, [this] { m_model.setIsHorizontallyFlipped(!m_model.isHorizontallyFlipped()); });
}

void ApplicationMenus::addRecordingMenu()
{
    QMenu *menu = m_window.menuBar()->addMenu(QStringLiteral("錄影"));
    QAction *record = addAction(menu, QStringLiteral("開始錄影"), QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(record, &QAction::triggered, &m_model, &PrompterViewModel::toggleRecording);
    QAction *preview = addAction(menu, QStringLiteral("開啟鏡頭預覽"), QKeySequence());
    connect(
        preview, &QAction::triggered, this, [this] { m_model.recordingEngine().startPreviewRequestingPermission(); });
    QAction *reveal = addAction(menu, QStringLiteral("顯示上一個輸出檔"), QKeySequence());
    connect(reveal, &QAction::triggered, this, [this] { m_model.recordingEngine().revealLastOutput(); });
    observe(&m_model, &PrompterViewModel::recordingEngineChanged, menu, [this, record, reveal] {
        const RecordingEngine &engine = m_model.recordingEngine();
        record->setText(engine.isRecording() ? QStringLiteral("停止錄影") : QStringLiteral("開始錄影"));
        reveal->setEnabled(!engine.lastOutputURL().isEmpty());
    });
}

QAction *ApplicationMenus::action(const QString &text) const
{
    for (QAction *candidate : m_window.menuBar()->findChildren<QAction *>())
        if (candidate->text() == text && !candidate->menu()) // not a menu's own title
            return candidate;
    return nullptr;
}

} // namespace lumetra
