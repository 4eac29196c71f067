#include "ui/main/script_options_dialog.h"

#include "form/context.h"
#include "form/output_folder.h"
#include "form/startup.h"
#include "ui/to_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tes {

ScriptOptionsDialog::ScriptOptionsDialog(const ScriptStyle& style, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmScriptOptions"));
    setWindowTitle(QStringLiteral("Script Options"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    // Sized to its captions, never cut.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_fast = addOption("chkFastScript", "&Fast script for 3ds Max 2011 and later",
                       "Far quicker for thousands of objects; a second run replaces the first.",
                       style.shape == ScriptShape::Fast);
    m_instances = addOption("chkInstances", "&Instances instead of copies",
                            "Every plant shares one geometry: far less memory for plants of one mesh.",
                            style.instances);
    m_utf8 = addOption("chkUtf8Script", "&UTF-8 script (3ds Max 2013 and later)",
                       "Keeps names and paths with letters the Windows-1252 code page lacks.", style.utf8);
    addCacheChoice(style.cache);

    auto* folderLabel = new QLabel(QStringLiteral("&Output folder (empty: beside the project)"), this);
    m_outputFolder = new QLineEdit(this);
    m_outputFolder->setObjectName(QStringLiteral("txtOutputFolder"));
    m_outputFolder->setPlaceholderText(QStringLiteral("beside the project"));
    folderLabel->setBuddy(m_outputFolder);
    // B: the dialog's other keys are F, I, U and O.
    m_browseFolder = new QPushButton(QStringLiteral("&Browse..."), this);
    m_browseFolder->setObjectName(QStringLiteral("btnBrowseOutputFolder"));
    m_browseFolder->setAutoDefault(false);
    connect(m_browseFolder, &QPushButton::clicked, this, [this] {
        if (m_browse)
            m_outputFolder->setText(ToQString(m_browse(outputFolder())));
        m_outputFolder->setFocus();
    });
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_outputFolder, 1);
    folderRow->addWidget(m_browseFolder);
    layout->addWidget(folderLabel);
    layout->addLayout(folderRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_fast->setFocus();
    // The controls take their places now, so the dialog can be looked at before it is shown.
    layout->activate();
}

QCheckBox* ScriptOptionsDialog::addOption(const char* name, const char* caption, const char* explanation,
                                          bool checked) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), this);
    box->setObjectName(QString::fromUtf8(name));
    box->setChecked(checked);

    auto* label = new QLabel(QString::fromUtf8(explanation), this);
    label->setObjectName(QString::fromUtf8(name).replace(0, 3, QStringLiteral("lbl")));
    // The line starts under the box's caption, not under its square.
    const int indent = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                       box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
    label->setContentsMargins(indent, 0, 0, 0);

    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addWidget(box);
    layout->addWidget(label);
    layout->addSpacing(fontMetrics().height() / 2); // a gap between the options
    return box;
}

void ScriptOptionsDialog::addCacheChoice(PointCache cache) {
    auto* caption = new QLabel(QStringLiteral("Point cache:"), this);
    caption->setObjectName(QStringLiteral("lblPointCacheCaption"));
    m_cache = new QComboBox(this);
    m_cache->setObjectName(QStringLiteral("cboPointCache"));
    // In the order of PointCache.
    m_cache->addItems({QStringLiteral("None"), QStringLiteral("PRT"), QStringLiteral("CSV"),
                       QStringLiteral("PRT and CSV")});
    m_cache->setCurrentIndex(static_cast<int>(cache));
    caption->setBuddy(m_cache);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_cache);
    row->addStretch();
    auto* label = new QLabel(
        QStringLiteral("The plants beside each saved script as particles, for millions of them."), this);
    label->setObjectName(QStringLiteral("lblPointCache"));
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(row);
    layout->addWidget(label);
    layout->addSpacing(fontMetrics().height() / 2);
}

ScriptStyle ScriptOptionsDialog::chosenStyle() const {
    ScriptStyle style;
    style.shape = m_fast->isChecked() ? ScriptShape::Fast : ScriptShape::Classic;
    style.instances = m_instances->isChecked();
    style.utf8 = m_utf8->isChecked();
    style.cache = static_cast<PointCache>(m_cache->currentIndex());
    return style;
}

void ScriptOptionsDialog::setOutputFolder(const std::string& folder) {
    m_outputFolder->setText(ToQString(folder));
}

std::string ScriptOptionsDialog::outputFolder() const {
    return ToStdString(m_outputFolder->text().trimmed());
}

void ScriptOptionsDialog::setFolderBrowser(std::function<std::string(const std::string&)> browse) {
    m_browse = std::move(browse);
}

void ScriptOptionsDialog::setFolderCheck(std::function<bool(const std::string&)> check) {
    m_folderTaken = std::move(check);
}

void ScriptOptionsDialog::accept() {
    if (m_folderTaken && !m_folderTaken(outputFolder())) {
        // Back to the folder, to mend it.
        m_outputFolder->setFocus();
        m_outputFolder->selectAll();
        return;
    }
    QDialog::accept();
}

int ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

void EditScriptOptions(Context& ctx, QWidget* owner, const DialogRunner& run) {
    ScriptOptionsDialog dialog(ctx.scriptStyle, owner);
    dialog.setOutputFolder(ctx.outputFolder);
    dialog.setFolderBrowser(
        [&ctx](const std::string& typed) { return btnBrowseOutputFolder_Click(ctx, typed); });
    dialog.setFolderCheck([&ctx](const std::string& folder) { return CheckOutputFolder(ctx, folder); });
    if (run(dialog) != QDialog::Accepted)
        return;
    ctx.scriptStyle = dialog.chosenStyle();
    SaveScriptStyle(ctx, ctx.scriptStyle);
    SetOutputFolder(ctx, dialog.outputFolder());
}

} // namespace tes
