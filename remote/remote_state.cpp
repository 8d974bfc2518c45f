#include "remote/remote_state.h"

#include "desk/conveyor_list.h"
#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/automat_state.h"
#include "engine/controls.h"

#include <QFileInfo>
#include <QJsonArray>

namespace velantra::remote {

QJsonObject deskState(DeskControls& desk)
{
    QJsonArray faders;
    QJsonArray outputs;
    const int offset = desk.pageOffset();
    for (int row = 1; row <= FaderCount; ++row) {
        const int channel = offset + row;
        faders.append(desk.faderValue(row));
        outputs.append(desk.engine().shownFrame.get(static_cast<std::size_t>(channel)));
    }
    QJsonArray pictures;
    for (int k = 1; k <= 16; ++k) {
        pictures.append(desk.picture(k) ? 1 : 0);
    }
    QJsonArray chasers;
    for (int a = 1; a <= AutomatCount; ++a) {
        chasers.append(desk.automatAlone(a));
    }
    const ConveyorList& list = desk.player().conveyor();
    QJsonArray shows;
    for (int k = 1; k <= ConveyorSlots; ++k) {
        shows.append(list.filled(k) ? QFileInfo(list.file(k)).completeBaseName() : QString());
    }
    return QJsonObject{
        {QStringLiteral("playing"), desk.playing()},
        {QStringLiteral("scene"), desk.scene() + 1},
        {QStringLiteral("scenes"), desk.lastScene() + 1},
        {QStringLiteral("tempo"), desk.tempo()},
        {QStringLiteral("blackout"), desk.blackOut()},
        {QStringLiteral("macro"), desk.macro()},
        {QStringLiteral("offset"), offset},
        {QStringLiteral("faders"), faders},
        {QStringLiteral("outputs"), outputs},
        {QStringLiteral("pictures"), pictures},
        {QStringLiteral("chasers"), chasers},
        {QStringLiteral("queue"), QJsonObject{{QStringLiteral("hand"), list.mode == ConveyorList::Mode::Hand},
                                              {QStringLiteral("slot"), desk.conveyorSlot()},
                                              {QStringLiteral("shows"), shows}}},
    };
}

QJsonObject changedMembers(const QJsonObject& before, const QJsonObject& now)
{
    QJsonObject changed;
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (before.value(it.key()) != it.value()) {
            changed.insert(it.key(), it.value());
        }
    }
    return changed;
}

}  // namespace velantra::remote
