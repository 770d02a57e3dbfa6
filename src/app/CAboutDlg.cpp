#include "app/CAboutDlg.h"

#include "view/CommandIcons.h"
#include "view/CommandIds.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kesmar {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Programm Info über Kesmar"));
    auto* layout = new QVBoxLayout(this);
    auto* pictures = new QHBoxLayout;
    for (CommandId picture : {CommandId::WholeWorld, CommandId::NmeaPanel, CommandId::SynopViewer}) {
        auto* label = new QLabel(this);
        label->setPixmap(commandIcon(picture).pixmap(38, 38));
        pictures->addWidget(label);
    }
    pictures->addStretch();
    layout->addLayout(pictures);
    layout->addWidget(new QLabel(tr("simple Anzeige von GPS-Positionen auf einer Karte"), this));
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    layout->addWidget(new QLabel(tr("Options-Programm für nautisch, meteorologische Varnak-Syteme "), this));
    // The bundled charts come from public data with this condition.
    layout->addWidget(new QLabel(tr("Die mitgelieferten Karten sind nicht zur Navigation geeignet."), this));
}

} // namespace kesmar
