#include "platform/office/database_file.h"

#include "platform/core/files.h"

#include <QFile>
#include <QRegularExpression>
#include <mdbsql.h>

namespace {

// mdbsql keeps its state in one object; this closes it on every path.
struct TSqlSession {
    MdbSQL* Sql = mdb_sql_init();
    ~TSqlSession()
    {
        if (Sql) {
            mdb_sql_reset(Sql);
            mdb_sql_exit(Sql);
        }
    }
};

void OpenFile(TSqlSession& S, const QString& FileName)
{
    if (!FileExists(FileName))
        throw EOfficeError(QStringLiteral("Cannot open database ") + FileName + QStringLiteral(": the file does not exist"));
    QByteArray path = QFile::encodeName(FileName);
    if (!S.Sql || !mdb_sql_open(S.Sql, path.data()))
        throw EOfficeError(QStringLiteral("Cannot open database ") + FileName + QStringLiteral(": no readable Access file"));
}

}  // namespace

TQueryResult RunDatabaseQuery(const QString& FileName, const QString& SQL)
{
    static const QRegularExpression kSelect(QStringLiteral("^\\s*SELECT\\b"), QRegularExpression::CaseInsensitiveOption);
    if (!kSelect.match(SQL).hasMatch())
        throw EOfficeError(QStringLiteral("Cannot run \"") + SQL + QStringLiteral("\" on ") + FileName +
                           QStringLiteral(": database files are read only; only SELECT queries run"));
    TSqlSession s;
    OpenFile(s, FileName);
    const QByteArray query = SQL.toUtf8();
    mdb_sql_run_query(s.Sql, query.constData());
    if (mdb_sql_has_error(s.Sql) || !s.Sql->cur_table || !s.Sql->columns || !s.Sql->bound_values)
        throw EOfficeError(QStringLiteral("Query failed on ") + FileName + QStringLiteral(": ") +
                           (mdb_sql_has_error(s.Sql) ? QString::fromUtf8(mdb_sql_last_error(s.Sql)) : SQL));
    TQueryResult out;
    const unsigned int cols = qMin<unsigned int>(s.Sql->num_columns, s.Sql->columns->len);
    if (s.Sql->bound_values->len < cols)
        throw EOfficeError(QStringLiteral("Query failed on ") + FileName + QStringLiteral(": ") + SQL);
    for (unsigned int i = 0; i < cols; ++i) {
        auto* col = static_cast<MdbSQLColumn*>(g_ptr_array_index(s.Sql->columns, i));
        out.Columns << QString::fromUtf8(col && col->name ? col->name : "");
    }
    while (mdb_sql_fetch_row(s.Sql, s.Sql->cur_table)) {
        std::vector<std::optional<QString>> row;
        row.reserve(cols);
        for (unsigned int i = 0; i < cols; ++i) {
            const char* v = static_cast<const char*>(g_ptr_array_index(s.Sql->bound_values, i));
            // mdbtools binds a null field as an empty text.
            if (v && *v)
                row.emplace_back(QString::fromUtf8(v));
            else
                row.emplace_back(std::nullopt);
        }
        out.Rows.push_back(std::move(row));
    }
    return out;
}

QStringList DatabaseTables(const QString& FileName)
{
    TSqlSession s;
    OpenFile(s, FileName);
    QStringList out;
    MdbHandle* mdb = s.Sql->mdb;
    if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE))
        throw EOfficeError(QStringLiteral("Cannot read the tables of ") + FileName);
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry && entry->object_type == MDB_TABLE && !mdb_is_system_table(entry))
            out << QString::fromUtf8(entry->object_name);
    }
    return out;
}
