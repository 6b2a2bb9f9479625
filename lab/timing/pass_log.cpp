#include "support/pass_log.h"

#include "main_window/form1.h"
#include "timing/clock.h"

#include <QAbstractItemModel>
#include <QListWidget>

using namespace Qt::StringLiterals;

PassLog::PassLog(Form1& form, int noteEvery, std::function<void()> noted)
{
    auto* list = form.findChild<QListWidget*>(u"List2"_s);
    m_watching =
        QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, list,
                         [this, list, noteEvery, noted = std::move(noted)](const QModelIndex&, int row) {
                             if (!list->item(row)->text().startsWith(u"Ultimo valor"_s) || ++m_passes % noteEvery != 0)
                                 return;
                             m_times.append(monotonicMs());
                             if (noted)
                                 noted();
                         });
}

PassLog::~PassLog()
{
    QObject::disconnect(m_watching);
}
