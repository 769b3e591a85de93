#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace fw {

// The rows of a Listbox. setData comes only from the user's in-place edits
// and reports a real change through the edit callback.
class ListboxModel : public QAbstractTableModel {
public:
    ListboxModel(std::function<void(int row, int column)> userEdited, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetColumnCount(int columns);
    QString Heading(int column) const;
    void SetHeading(int column, const QString &heading);
    void AppendRow(std::string text);
    void Clear();
    const std::string &Text(int row, int column) const;
    void SetText(int row, int column, std::string text);
    bool Editable(int row, int column) const;
    void SetEditable(int row, int column, bool editable);
    bool AnyEditable() const { return anyEditable_; }

private:
    // Kept as the program reads and writes it, UTF-8: a cell may hold a
    // megabyte, which a view shows only the start of.
    struct Row {
        std::vector<std::string> text;
        std::vector<bool> editable;
    };
    std::size_t CheckedRow(int row, int column) const;

    std::function<void(int, int)> userEdited_;
    int columns_ = 1;
    QStringList headings_;
    std::vector<Row> rows_;
    bool anyEditable_ = false;
};

} // namespace fw
