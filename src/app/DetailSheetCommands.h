#pragma once
#include "settings/CDetailSheet.h"

#include <QObject>

namespace kesmar {

class CKesmarView;
class CommandSet;

// Commands 32789 (also Tab), 40027, 32818 and 32819: the "Detail Propertys"
// sheet on its page. On OK the result goes into the chart configuration and
// the catalogue, the charts are rescaled, CHARTLIST.LST is written and the
// view recomputes and repaints; Cancel changes nothing.
class DetailSheetCommands : public QObject {
    Q_OBJECT
public:
    DetailSheetCommands(CommandSet& commands, CKesmarView& view);

    void open(CDetailSheet::Page page);
    // The sheet's OK result applied to the view's state.
    void apply(const DetailSettings& result, bool listDamaged);

private:
    CKesmarView& view_;
};

} // namespace kesmar
