#include "timing/pass_log.h"

#include "timing/clock.h"
#include "timing/thread_times.h"

#include <QAbstractItemModel>
#include <QListWidget>

using namespace Qt::StringLiterals;

PassLog::PassLog(QWidget& window, int noteEvery, std::function<void()> noted)
{
    auto* list = window.findChild<QListWidget*>(u"List2"_s);
    m_watching =
        QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, list,
                         [this, list, noteEvery, noted = std::move(noted)](const QModelIndex&, int row) {
                             if (!list->item(row)->text().startsWith(u"Ultimo valor"_s) || ++m_passes % noteEvery != 0)
                                 return;
                             m_times.append(monotonicMs());
                             m_queuedAt.append(threadTimes(currentThread()).queuedMs);
                             if (noted)
                                 noted();
                         });
}

PassLog::~PassLog()
{
    QObject::disconnect(m_watching);
}
