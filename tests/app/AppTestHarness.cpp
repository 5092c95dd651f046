#include "AppTestHarness.h"

#include "FakeCaptureBackend.h"
#include "NeverRestrictedProbe.h"
#include "ScriptedConsentPrompter.h"
#include "ScriptedVoiceSyncEngine.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace lumetra::testing {

void AppTest::SetUp()
{
    QSettings().clear();
    m_folder = std::make_unique<QTemporaryDir>();
    LumetraServices services;
    auto consent = std::make_unique<ScriptedConsentPrompter>();
    m_consent = consent.get();
    services.consentPrompter = std::move(consent);
    auto desktop = std::make_unique<RecordedDesktop>();
    m_desktop = desktop.get();
    services.desktopFileServices = std::move(desktop);
    services.makeCaptureBackend = [this] {
        auto backend = std::make_unique<FakeCaptureBackend>();
        m_capture = backend.get();
        return backend;
    };
    services.makeVoiceSyncEngine = [this](PermissionService &, QObject *parent) -> VoiceSyncEngine * {
        m_engine = new ScriptedVoiceSyncEngine(&engineLog, parent);
        return m_engine;
    };
    services.accessProbe = std::make_shared<NeverRestrictedProbe>();
    m_app = std::make_unique<LumetraApp>(std::move(services));
    m_app->start({});
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
}

void AppTest::TearDown()
{
    // Questions and panels still open belong to the window; it goes, with them, before the model.
    m_app.reset();
    QSettings().clear();
}

void AppTest::focus(QWidget &widget)
{
    widget.setFocus(Qt::OtherFocusReason);
    for (int attempt = 0; attempt < 100 && !widget.hasFocus(); ++attempt)
        QTest::qWait(10);
    ASSERT_TRUE(widget.hasFocus()) << widget.metaObject()->className();
}

QString AppTest::temporaryPath(const QString &name) const
{
    return m_folder->filePath(name);
}

} // namespace lumetra::testing
