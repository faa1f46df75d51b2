// The accounts of Users.dat as the administration page shows them: one row an account, numbered,
// with the rights string and the unit access list in two columns the grid hides. The list always
// has a row: an empty one stands for "no accounts" (the placeholder line of an emptied file).
// It holds what the file held when it was last read or written; the controller changes a copy,
// writes it, and only then puts it here.
#pragma once

#include "Accounts.h"

#include <QAbstractTableModel>

#include <vector>

namespace taviro::ui {

class AccountListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        NumberColumn = 0,
        FirstNameColumn,
        SurnameColumn,
        PositionColumn,
        IdentifierColumn,
        PasswordColumn,
        RightsColumn,
        UnitsColumn,
        ColumnCount
    };

    explicit AccountListModel(QObject* parent = nullptr);

    // The rows for the lines of the file: a line goes into the first row while that row holds no
    // account, so a placeholder line never becomes a row of its own.
    static std::vector<UserAccount> rowsOf(const std::vector<UserAccount>& fileLines);
    // A row holds no account when its first name is empty.
    static bool isEmpty(const UserAccount& account) { return account.firstName.empty(); }

    // The rules of the page's buttons, applied to a copy of the rows.
    // "Dodaj": into the first row when it is empty, else a new last row; returns the row.
    static int add(std::vector<UserAccount>& rows, const UserAccount& account);
    // "Usuń": the last row is emptied when it is the only one; returns the row to select after.
    static int remove(std::vector<UserAccount>& rows, int row);

    const std::vector<UserAccount>& rows() const { return m_rows; }
    void setRows(std::vector<UserAccount> rows);
    const UserAccount& row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<UserAccount> m_rows;
};

} // namespace taviro::ui
