#include "ChannelPlan.h"

ChannelGeometry ChannelPlan::GeometryOf(const _TRACK_DEFINE_STRUCT_& track)
{
    ChannelGeometry geometry;
    const QString side = track.TrackRailSide.trimmed().toUpper();
    geometry.railIndex = side.startsWith(u'R') ? 1 : 0;
    const QString name = track.TrackName;
    const QString folder = track.TrackSubDirectory.toUpper();
    if (name.contains(QStringLiteral("外")) || folder.endsWith(u'O'))
        geometry.position = CameraPosition::Outer;
    else if (name.contains(QStringLiteral("内")) || folder.endsWith(u'I'))
        geometry.position = CameraPosition::Inner;
    else
        geometry.position = CameraPosition::Centre;
    return geometry;
}
