#pragma once

// What the editor's tests share: a started window over a program directory of
// its own (where KalCfg.ini is looked for), with every question answered
// through the prompt seam, and a quick way to put an entry into a list.

#include "config/KalCfg.h"
#include "ui/EntryListView.h"
#include "ui/Prompt.h"
#include "ui/ekMain.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

inline void fill(EntryListView *l, const QString &name, const QString &label = QStringLiteral("L"),
                 const QString &server = QStringLiteral("srv"), const QString &path = QStringLiteral("p.gdb"),
                 const QString &access = QStringLiteral("a"), bool checked = true)
{
    const int row = l->append();
    const QString texts[] = {name, label, server, path, access};
    for (int f = 0; f < FieldCount; ++f)
        l->setText(row, f, texts[f]);
    l->setChecked(row, checked);
}

struct EditorTest
{
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmeKMain> w;

    // A fresh program directory; no window yet.
    void prepare()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        setProgramDir(m_dir->path());
        Prompt::setInteractive(false);
        Prompt::reset();
    }

    // A started window, as the program makes it; what the start asked is forgotten.
    void start()
    {
        w = std::make_unique<TfrmeKMain>();
        w->FormCreate();
        Prompt::takeQuestions();
    }

    // Every scripted answer must have been used.
    void finish()
    {
        QCOMPARE(Prompt::pendingAnswers(), 0);
        w.reset();
        m_dir.reset();
    }

    EntryListView *lv(const char *name) const { return w->list(QLatin1String(name)); }
    TBetterGroupBox *fr(const char *name) const { return w->frame(QLatin1String(name)); }
};
