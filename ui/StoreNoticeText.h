#pragma once
// How the window words a notice of the games file: the trouble from the
// language file, then the system's own detail (a path, SQLite's reason) as it is.

#include <QString>
#include <functional>

#include "Language.h"
#include "PartyStore.h"

namespace quimba::ui {

static_assert(static_cast<int>(store::StoreNotice::Kind::EventWaiting) == kStoreNoticeLines,
              "one language line per kind of notice, in the same order");

inline QString StoreNoticeText(const store::StoreNotice& notice, const std::function<QString(int)>& line) {
    QString text = line(kFirstStoreNoticeLine + static_cast<int>(notice.kind) - 1);
    if (!notice.detail.empty()) text += "\n" + QString::fromStdString(notice.detail);
    return text;
}

}  // namespace quimba::ui
