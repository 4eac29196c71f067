#include "ui/main/kinds_model.h"

#include "project/kind_key_table.h"
#include "ui/main/fault_marks.h"
#include "ui/to_qt.h"

#include <algorithm>
#include <array>

#include <QFont>
#include <QLocale>

namespace tes {

namespace {

QVariant CheckState(bool checked) {
    return static_cast<int>(checked ? Qt::Checked : Qt::Unchecked);
}

// Numbers stand right-aligned, so their digits line up; the rest reads from the left.
int ColumnAlignment(int column) {
    const bool number = column == KindsModel::Number || column == KindsModel::Records;
    return static_cast<int>((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

// The key whose value `change` makes differ from a new row's: the key of the value a column shows,
// found by the value rather than by its name.
const KindKey& KeyHolding(void (*change)(KindRow&)) {
    KindRow changed;
    change(changed);
    const std::span<const KindKey> keys = KindKeys();
    return *std::find_if(keys.begin(), keys.end(),
                         [&changed](const KindKey& key) { return !key.same(KindRow(), changed); });
}

const KindKey& MaxFileKey() {
    static const KindKey& key = KeyHolding([](KindRow& row) { row.maxFile = "-"; });
    return key;
}

const KindKey& ObjectNameKey() {
    static const KindKey& key = KeyHolding([](KindRow& row) { row.objectName = "-"; });
    return key;
}

const KindKey& EnabledKey() {
    static const KindKey& key = KeyHolding([](KindRow& row) { row.enabled = !row.enabled; });
    return key;
}

const KeyFault* EnabledFault(const KindRow& row) {
    const auto it = std::find_if(row.faults.begin(), row.faults.end(),
                                 [](const KeyFault& fault) { return EnabledKey().names(fault.key); });
    return it == row.faults.end() ? nullptr : &*it;
}

// A cell marked for a value the table could not read: the kind's number for any of its row, Enabled
// for its own. Nothing for the others.
QVariant FaultToolTip(const KindRow& row, int column) {
    if (column == KindsModel::Enabled) {
        if (const KeyFault* fault = EnabledFault(row))
            return ToQString(FaultSentence(*fault) + ".\nCheck or clear the box to mend it.");
    }
    if (column != KindsModel::Number || row.faults.empty())
        return {};
    std::string text = "Values of Vegetation_" + row.number + " the kinds table could not read:";
    for (const KeyFault& fault : row.faults)
        text += "\n" + FaultSentence(fault);
    return ToQString(text + "\nThe kind is not built until they are mended.");
}

// The look of a value that changed in the file while the dialog was open, beside the faults' orange.
QColor ChangedBackground() {
    return QColor(176, 214, 255);
}

// The key a column shows; nothing for the columns that show no key.
std::string_view ColumnKey(int column) {
    switch (column) {
    case KindsModel::MaxFile:
        return MaxFileKey().name;
    case KindsModel::ObjectName:
    case KindsModel::UseFileName:
        return ObjectNameKey().name;
    case KindsModel::Enabled:
        return EnabledKey().name;
    default:
        return {};
    }
}

} // namespace

KindsModel::KindsModel(std::vector<KindEntry> entries, QObject* parent)
    : QAbstractTableModel(parent), m_entries(std::move(entries)) {}

int KindsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int KindsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant KindsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const KindEntry& entry = m_entries[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(entry, column);
    case Qt::CheckStateRole:
        if (column == UseFileName)
            return CheckState(entry.useFileName);
        if (column == Enabled)
            return CheckState(entry.row.enabled);
        return {};
    case Qt::TextAlignmentRole:
        return ColumnAlignment(column);
    case Qt::ToolTipRole:
        if (const QVariant mark = markToolTip(index.row(), column); mark.isValid())
            return mark;
        return column == MaxFile || column == ObjectName ? text(entry, column) : QVariant();
    case Qt::BackgroundRole:
        if (FaultToolTip(entry.row, column).isValid())
            return FaultBackground();
        return markToolTip(index.row(), column).isValid() ? QVariant(ChangedBackground()) : QVariant();
    case Qt::ForegroundRole:
        return markToolTip(index.row(), column).isValid() ? QVariant(FaultForeground()) : QVariant();
    case Qt::FontRole:
        if (column == Name && !entry.onTile) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant KindsModel::text(const KindEntry& entry, int column) const {
    switch (column) {
    case Number:
        return ToQString(entry.row.number);
    case Name:
        return entry.onTile ? ToQString(entry.name) : QStringLiteral("(not on this tile)");
    case Records:
        // Grouped as the summaries group them: 1,187.
        return QLocale(QLocale::English, QLocale::UnitedStates).toString(qulonglong{entry.records});
    case MaxFile:
        return ToQString(entry.row.maxFile);
    case ObjectName:
        return ToQString(entry.objectShown());
    default:
        return {};
    }
}

bool KindsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount())
        return false;
    const int row = index.row();
    KindEntry& entry = m_entries[static_cast<std::size_t>(row)];
    const bool checked = value.toInt() == Qt::Checked;
    switch (index.column()) {
    case MaxFile:
        if (role != Qt::EditRole)
            return false;
        entry.row.maxFile = ToStdString(value.toString());
        rowChanged(row, MaxFile, ObjectName);
        return true;
    case ObjectName:
        if (role != Qt::EditRole)
            return false;
        if (ToStdString(value.toString()) == entry.objectShown())
            return true;
        // A name of the user's own: it no longer follows the file.
        entry.row.objectName = ToStdString(value.toString());
        entry.useFileName = false;
        rowChanged(row, ObjectName, UseFileName);
        return true;
    case UseFileName:
        if (role != Qt::CheckStateRole)
            return false;
        // Unchecked, the name shown stays; the next Max file no longer changes it.
        entry.row.objectName = entry.objectShown();
        entry.useFileName = checked;
        rowChanged(row, ObjectName, UseFileName);
        return true;
    case Enabled:
        if (role != Qt::CheckStateRole)
            return false;
        // Either way the box is clicked, a value the table could not read is mended.
        entry.row.enabled = checked;
        entry.row.clearFault(EnabledKey().name);
        rowChanged(row, Number, Enabled);
        return true;
    default:
        return false;
    }
}

QVariant KindsModel::markToolTip(int row, int column) const {
    const auto at = static_cast<std::size_t>(row);
    const QVariant fault = FaultToolTip(m_entries[at].row, column);
    if (at >= m_changed.size() || m_changed[at].empty())
        return fault;
    const std::vector<std::string>& changed = m_changed[at];
    std::string keys;
    for (const std::string& key : changed) {
        if (column == Number || key == ColumnKey(column))
            keys += (keys.empty() ? "" : ", ") + key;
    }
    if (keys.empty())
        return fault;
    const QString text = ToQString("Changed in " + m_tableName + " while this dialog was open: " + keys +
                                   ".\nWhat you changed yourself is kept.");
    return fault.isValid() ? QVariant(fault.toString() + QStringLiteral("\n") + text) : QVariant(text);
}

void KindsModel::follow(std::vector<KindEntry> entries, std::vector<std::vector<std::string>> changed,
                        const std::string& table) {
    beginResetModel();
    m_entries = std::move(entries);
    m_changed = std::move(changed);
    m_tableName = table;
    endResetModel();
}

void KindsModel::setVariation(std::size_t row, const KindRow& variation) {
    KindRow& kept = m_entries.at(row).row;
    kept.plants.turn = variation.plants.turn;
    kept.plants.scale = variation.plants.scale;
    kept.plants.weight = variation.plants.weight;
    kept.plants.variants = variation.plants.variants;
    kept.plants.thinning = variation.plants.thinning;
    kept.plants.detail = variation.plants.detail;
    kept.plants.stand = variation.plants.stand;
    kept.faults = variation.faults;
    rowChanged(static_cast<int>(row), Number, Number);
}

void KindsModel::rowChanged(int row, Column first, Column last) {
    emit dataChanged(index(row, first), index(row, last));
}

Qt::ItemFlags KindsModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    switch (index.column()) {
    case MaxFile:
    case ObjectName:
        return flags | Qt::ItemIsEditable;
    case UseFileName:
    case Enabled:
        return flags | Qt::ItemIsUserCheckable;
    default:
        return flags;
    }
}

QVariant KindsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    struct Header {
        const char* name;
        const char* toolTip;
    };
    static constexpr std::array<Header, ColumnCount> kHeaders = {{
        {"No.", "The kind's number in the project"},
        {"Name", "The kind's name in the project's .est file"},
        {"Records", "The kind's records on the loaded tile"},
        {"Max File", "The 3ds Max file the kind's object is merged from"},
        {"Object Name", "The object in the Max file that stands for the kind"},
        {"Use File Name", "The object name is the Max file's name without folder and extension"},
        {"Enabled", "Process All writes this kind's script"},
    }};
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    const Header& header = kHeaders[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(header.name);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(header.toolTip);
    if (role == Qt::TextAlignmentRole)
        return ColumnAlignment(section);
    return {};
}

} // namespace tes
