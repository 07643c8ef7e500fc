#include "support/list_view2.h"

#include "support/messages.h"
#include "support/qt_text.h"

#include <QMetaMethod>

TListView2::TListView2(const QString& name, QWidget* owner) : QTreeWidget(owner)
{
    setObjectName(name);
    const QString ownerName = owner ? owner->objectName() : QString();
    ShowPlainMessage("Listview2 nicht mehr verwenden: " + ToAnsi(name) + "," + ToAnsi(ownerName));
}

TListView2::~TListView2()
{
    if (isSignalConnected(QMetaMethod::fromSignal(&TListView2::Clear))) {
        emit Clear();
    } else {
        for (int i = topLevelItemCount() - 1; i >= 0; --i)
            topLevelItem(i)->setData(0, Qt::UserRole, QVariant());
    }
    clear();
}
