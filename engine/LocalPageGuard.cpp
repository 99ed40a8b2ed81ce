#include "engine/LocalPageGuard.h"

#include <QFile>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

void installLocalPageGuard(QWebEngineProfile* profile) {
    QFile source(QStringLiteral(":/scripts/local-page-guard.js"));
    if (!source.open(QIODevice::ReadOnly))
        return;
    QWebEngineScript script;
    script.setName(QStringLiteral("tarnvale-local-page-guard"));
    script.setSourceCode(QString::fromUtf8(source.readAll()));
    // Before any script of the page, in its own world, and in every frame: a blank frame the
    // page makes gives it another set of globals.
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    profile->scripts()->insert(script);
}
