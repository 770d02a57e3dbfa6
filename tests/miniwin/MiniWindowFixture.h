#pragma once
#include "support/ChartViewObjects.h"
#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "core/Viewport.h"
#include "miniwin/CMiniWindow.h"
#include "miniwin/MiniWindowSet.h"
#include "nmea/VesselState.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"
#include "view/MouseController.h"
#include "view/ViewCommands.h"

#include <QMouseEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

namespace kesmar::test {

// A chart view of 800 x 599 pixels at the screen's top-left corner inside a
// frame, with the mini windows over it, in an empty program folder.
struct MiniWindowFixture : ChartViewObjects {
    QWidget frame;
    CKesmarView* view = nullptr;
    MiniWindowSet* set = nullptr;
    QStringList messages;
    int beeps = 0;
    bool viewMenu = false;

    // `programFolder` replaces the empty folder (charts made by the test).
    explicit MiniWindowFixture(bool start = true, const QString& programFolder = QString())
    {
        if (!programFolder.isEmpty()) folder = programFolder;
        // No decoration: the view's client area starts at the screen's origin.
        frame.setWindowFlags(Qt::FramelessWindowHint);
        frame.setGeometry(0, 0, 800, 599);
        view = new CKesmarView(context(), &frame);
        view->setGeometry(0, 0, 800, 599);
        set = new MiniWindowSet(*view, frame);
        set->setMessageSink([this](const QString& text) { messages << text; });
        set->setErrorSound([this] { ++beeps; });
        QObject::connect(&view->viewCommands().mouse(), &MouseController::contextMenuRequested,
                         [this](const QPoint&) { viewMenu = true; });
        frame.show();
        if (start) {
            view->initialUpdate();
            set->restoreAll();
        }
    }
    ~MiniWindowFixture()
    {
        // The windows belong to the frame; the set goes with it.
        for (int n = 1; n <= 5; ++n) set->window(n).hide();
    }

    CMiniWindow& window(int n) { return set->window(n); }

    void mouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, QPoint p, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(p), QPointF(target.mapToGlobal(p)), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &event);
    }
    // A right-button drag in the chart view.
    void rightDrag(QPoint from, QPoint to)
    {
        mouse(*view, QEvent::MouseButtonPress, Qt::RightButton, from, Qt::RightButton);
        mouse(*view, QEvent::MouseMove, Qt::NoButton, to, Qt::RightButton);
        mouse(*view, QEvent::MouseButtonRelease, Qt::RightButton, to, {});
    }
    int shownCount()
    {
        int count = 0;
        for (int n = 1; n <= 4; ++n) count += window(n).shownNumber() != 0 ? 1 : 0;
        return count;
    }
};

} // namespace kesmar::test
