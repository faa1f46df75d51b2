#include "AccountListModel.h"

namespace taviro::ui {

AccountListModel::AccountListModel(QObject* parent) : QAbstractTableModel(parent), m_rows(1) {}

std::vector<UserAccount> AccountListModel::rowsOf(const std::vector<UserAccount>& fileLines)
{
    std::vector<UserAccount> rows(1);
    for (const UserAccount& account : fileLines)
        add(rows, account);
    return rows;
}

int AccountListModel::add(std::vector<UserAccount>& rows, const UserAccount& account)
{
    if (rows.empty() || isEmpty(rows.front())) {
        if (rows.empty())
            rows.emplace_back();
        rows.front() = account;
        return 0;
    }
    rows.push_back(account);
    return static_cast<int>(rows.size()) - 1;
}

int AccountListModel::remove(std::vector<UserAccount>& rows, int row)
{
    if (rows.size() <= 1)
        rows.assign(1, UserAccount{});
    else
        rows.erase(rows.begin() + row);
    return std::max(0, row - 1);
}

void AccountListModel::setRows(std::vector<UserAccount> rows)
{
    beginResetModel();
    m_rows = rows.empty() ? std::vector<UserAccount>(1) : std::move(rows);
    endResetModel();
}

int AccountListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int AccountListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AccountListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const UserAccount& account = row(index.row());
    const std::string* fields[ColumnCount] = {nullptr,           &account.firstName,  &account.surname,
                                              &account.position, &account.identifier, &account.password,
                                              &account.rights,   &account.units};
    if (index.column() == NumberColumn) // the row standing for "no accounts" has no number
        return isEmpty(account) ? QString() : QString::number(index.row() + 1);
    return QString::fromStdString(*fields[index.column()]);
}

QVariant AccountListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[ColumnCount] = {"Lp.",           "Imię",  "Nazwisko", "Stanowisko",
                                                     "Identyfikator", "Hasło", "",         ""};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kTitles[section]) : QVariant();
}

} // namespace taviro::ui
