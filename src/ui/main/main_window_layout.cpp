// The controls of the main window: names, captions, fonts, places and keyboard order.
#include "form/context.h"
#include "form/help_launch.h"
#include "ui/access_key_focus.h"
#include "ui/caption_fit.h"
#include "ui/font_stand_ins.h"
#include "ui/main/main_window.h"
#include "ui/main/max_length_validator.h"
#include "ui/main/output_pane.h"
#include "ui/main/records_table.h"
#include "ui/main/status_line.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

// The pictures are compiled into this static library; the reference keeps them linked.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace tes {

namespace {

// The layout is drawn in twips: 15 of them make one pixel at 96 dots per inch.
constexpr QRect Twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

constexpr int kFieldHeight = 21;
constexpr int kButtonHeight = 25;
constexpr int kBoxHeight = 18;
constexpr int kStatusLineHeight = 20;
// The right-hand column of buttons and boxes.
constexpr int kColumnLeft = 471;
constexpr int kColumnWidth = 114;

// A check box whose state only the model changes: a click asks the model to flip it, and the model
// (through its handlers) decides what every box then shows.
class ModelCheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

// A stylised tree (the sources of the pictures are in icons/tree.svg).
QIcon WindowIcon() {
    InitResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/tree-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/tree-32.png"), QSize(32, 32));
    return icon;
}

QFont CreditsFont() {
    return FontOrStandIn(QStringLiteral("Arial"), 9, QFont::SansSerif);
}

} // namespace

void MainWindow::buildControls() {
    setObjectName(QStringLiteral("frmTolvaneEnviroScripter"));
    setWindowTitle(QStringLiteral("Tolvane Enviro Scripter"));
    setWindowIcon(WindowIcon());
    // The controls' area as drawn in twips, and the status line under it.
    resize(Twips(0, 0, 8895, 7665).size() + QSize(0, kStatusLineHeight));
    setAcceptDrops(true);

    buildProjectFrame();
    buildMaxFileFrame();
    buildOutputAndCredits();
    buildRightColumn();
    buildTabOrder();
    // The layout is drawn for the classic 8 point dialog font: a font whose captions all fit.
    ChooseDialogFont(*this, 8);
    anchorControls();
}

void MainWindow::buildProjectFrame() {
    auto* frame = m_frameSourceTolvaneProject = new QGroupBox(QStringLiteral("Source Tolvane Project"), this);
    frame->setObjectName(QStringLiteral("frameSourceTolvaneProject"));
    frame->setGeometry(Twips(120, 120, 6855, 3615));

    makeBox(CheckBox::chkMainTile, "&Main Tile (re-load required)", frame, QRect(8, 16, 220, kBoxHeight));
    makeBox(CheckBox::chkPerimeterTile, "P&erimeter Tile (re-load required)", frame,
            QRect(8, 34, 220, kBoxHeight));
    QLabel* overlap = makeLabel("lblOverlap", "Overlap: (re-load rqd)", frame, 300, 16);
    WrapLabelInto(overlap, {QStringLiteral("Overlap:"), QStringLiteral("(re-load rqd)")});
    makeField(TextField::txtOverlap, frame, QRect(384, 20, 64, kFieldHeight));

    m_btnBrowseProjectFile = makeButton("btnBrowseProjectFile", "&Browse", frame,
                                        QRect(8, 55, 75, kButtonHeight), "Browse for your Tolvane PRJ file");
    makeField(TextField::txtProjectFilePath, frame, QRect(88, 57, 361, kFieldHeight),
              "Path and File Name of your Tolvane Project");

    // The records in columns under their names; what they hold beside them.
    m_list1 = new RecordsTable(m_ctx.form.list(ListId::List1), frame);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setGeometry(8, 80, 353, 66);
    m_lblRecordCount = makeLabel("lblRecordCount", "", frame, 367, 80);
    m_lblRecordCount->setWordWrap(true);
    m_lblRecordCount->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblRecordCount->setGeometry(367, 80, 82, 66);

    makeLabel("lblTileFormat", "Tile Format:", frame, 8, 154);
    makeField(TextField::txtNumberOfTiles, frame, QRect(80, 151, 44, kFieldHeight), "Enter numbers ONLY!!");
    makeLabel("lblTerrainWidthBreadthScale", "Grid Res:", frame, 134, 154);
    makeField(TextField::txtGridRes, frame, QRect(190, 151, 44, kFieldHeight), "Enter numbers ONLY!!");
    makeField(TextField::txtHeading, frame, QRect(300, 151, 48, kFieldHeight));
    makeLabel("lblHeading", "Heading", frame, 304, 173);
    makeField(TextField::txtPitch, frame, QRect(372, 151, 40, kFieldHeight));
    makeLabel("lblPitch", "Pitch", frame, 378, 173);

    makeLabel("lblSelectVegetation", "Select Vegetation:", frame, 8, 193);
    m_comboSelectVegetation = new QComboBox(frame);
    m_comboSelectVegetation->setObjectName(QStringLiteral("comboSelectVegetation"));
    m_comboSelectVegetation->setEditable(true);
    m_comboSelectVegetation->setInsertPolicy(QComboBox::NoInsert);
    // Typing shows exactly what was typed: no completion from the entries.
    m_comboSelectVegetation->setCompleter(nullptr);
    m_comboSelectVegetation->setFont(CreditsFont());
    m_comboSelectVegetation->setGeometry(116, 190, 333, 22);

    makeLabel("lblVerticalScale", "Vertical Scale Adjust:", frame, 8, 218);
    makeField(TextField::txtVerticalScale, frame, QRect(132, 215, 56, kFieldHeight), "Enter numbers ONLY!!");
    makeLabel("lblVerticalOffest", "Vertical Offset Adjust (Y):", frame, 198, 218);
    makeField(TextField::txtVerticalOffset, frame, QRect(353, 215, 96, kFieldHeight), "Enter numbers ONLY!!");
}

void MainWindow::buildMaxFileFrame() {
    auto* frame = m_frame2 = new QGroupBox(QStringLiteral("Source MAX File and Object Name"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setGeometry(Twips(120, 3840, 6855, 1695));

    m_btnBrowseMaxFile = makeButton("btnBrowseMaxFile", "Bro&wse", frame, QRect(8, 18, 75, kButtonHeight),
                                    "Browse for your 3dsMax file");
    makeField(TextField::txtMaxFile, frame, QRect(88, 20, 361, kFieldHeight));

    AlignLabelRight(makeLabel("lblMaxObjectName", "Object Name:", frame, 8, 51), 83);
    makeField(TextField::txtMaxObjectName, frame, QRect(88, 48, 190, kFieldHeight));
    makeBox(CheckBox::chkUseMaxName, "&Use abbr.  Max file name", frame, QRect(286, 49, 165, kBoxHeight));

    makeBox(CheckBox::chkRotateObjects, "&Rotate Object", frame, QRect(8, 84, 104, kBoxHeight));
    makeBox(CheckBox::chkFaceTolvaneSun, "Rotate to &Face Tolvane Sun", frame,
            QRect(114, 84, 180, kBoxHeight));
    m_lblRotationAngle = makeLabel("lblRotationAngle", "Rotation Angle:", frame, 300, 86);
    AlignLabelRight(m_lblRotationAngle, 385);
    makeField(TextField::txtRotationAngle, frame, QRect(389, 82, 60, kFieldHeight), "Enter numbers ONLY!!");
}

void MainWindow::buildOutputAndCredits() {
    auto* output = m_frameMaxScriptOutput = new QGroupBox(QStringLiteral("MAX Script Output"), this);
    output->setObjectName(QStringLiteral("frameMaxScriptOutput"));
    output->setGeometry(Twips(120, 5640, 8655, 1335));
    m_list2 = new OutputPane(m_ctx.form.list(ListId::List2), output);
    m_list2->setObjectName(QStringLiteral("List2"));
    m_list2->setGeometry(8, 18, 561, 64);
    m_list2->setFolderOpener([this](const std::string& folder) { OpenContainingFolder(m_ctx, folder); });

    auto* credits = m_frame1 = new QGroupBox(this);
    credits->setObjectName(QStringLiteral("Frame1"));
    credits->setGeometry(Twips(120, 6960, 8655, 615));
    m_lblCredits = makeLabel("lblCredits",
                             "Tolvane Environment Script Writer              "
                             "by the Tolvane Tools team              Version:",
                             credits, 8, 14);
    m_lblCredits->setFont(CreditsFont());
    m_lblCredits->adjustSize();
    m_lblVersion = makeLabel("lblVersion", "", credits, 0, 14);
    m_lblVersion->setFont(CreditsFont());
    // The right-hand column is full down to the output pane: the preview's button takes the free
    // right end of the credits, in line with the column's right edge.
    m_btnPreview = makeButton("btnPreview", "Pre&view...", this,
                              QRect(kColumnLeft + kColumnWidth - 88, credits->y() + 8, 82, kButtonHeight),
                              "The tile from above, each record where its script places it");

    m_statusLine = new StatusLine(this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setSizeGripEnabled(false);
    m_statusLine->setGeometry(0, Twips(0, 0, 0, 7665).height(), Twips(0, 0, 8895, 0).width(),
                              kStatusLineHeight);
}

void MainWindow::buildRightColumn() {
    m_btnProcess =
        makeButton("btnProcess", "&Process", this, QRect(kColumnLeft, 16, kColumnWidth, kButtonHeight));
    makeBox(CheckBox::chkSave, "&Save To File", this, QRect(kColumnLeft + 4, 46, kColumnWidth, kBoxHeight));
    m_btnRunScriptCompiler = makeButton("btnRunScriptCompiler", "&Combine Scripts...", this,
                                        QRect(kColumnLeft, 70, kColumnWidth, kButtonHeight));
    m_btnViewHelp =
        makeButton("btnViewHelp", "View &Help", this, QRect(kColumnLeft, 102, kColumnWidth, kButtonHeight));
    m_btnExit = makeButton("btnExit", "E&xit", this, QRect(kColumnLeft, 134, kColumnWidth, kButtonHeight));
    m_btnScriptOptions = makeButton("btnScriptOptions", "Scrip&t Options...", this,
                                    QRect(kColumnLeft, 166, kColumnWidth, kButtonHeight),
                                    "How the placement scripts are written");
    m_btnKinds =
        makeButton("btnKinds", "&Kinds...", this, QRect(kColumnLeft, 198, kColumnWidth, kButtonHeight),
                   "The Max file and object of each vegetation kind");
    m_btnProcessAll = makeButton("btnProcessAll", "Process A&ll", this,
                                 QRect(kColumnLeft, 230, kColumnWidth, kButtonHeight),
                                 "One script for every enabled kind that has a Max file");
    makeBox(CheckBox::chkUseObjectScale, "Use &Object Scale (%)", this,
            QRect(kColumnLeft - 4, 268, 593 - kColumnLeft + 4, kBoxHeight));
    makeField(TextField::txtObjectScale, this, QRect(kColumnLeft, 288, kColumnWidth, kFieldHeight));
    makeLabel("lblCalcGridSize", "3dsMax Grid Size:", this, kColumnLeft, 318);
    makeField(TextField::txtGridSize, this, QRect(kColumnLeft, 336, kColumnWidth, kFieldHeight));
}

void MainWindow::buildTabOrder() {
    m_tabOrder = {m_btnBrowseProjectFile,
                  field(TextField::txtProjectFilePath),
                  m_list1,
                  field(TextField::txtVerticalOffset),
                  field(TextField::txtVerticalScale),
                  field(TextField::txtGridRes),
                  field(TextField::txtNumberOfTiles),
                  m_comboSelectVegetation,
                  m_btnProcess,
                  box(CheckBox::chkSave),
                  m_btnViewHelp,
                  m_btnExit,
                  m_list2,
                  field(TextField::txtMaxFile),
                  field(TextField::txtMaxObjectName),
                  m_btnBrowseMaxFile,
                  box(CheckBox::chkUseMaxName),
                  m_btnRunScriptCompiler,
                  box(CheckBox::chkRotateObjects),
                  field(TextField::txtRotationAngle),
                  box(CheckBox::chkMainTile),
                  box(CheckBox::chkFaceTolvaneSun),
                  field(TextField::txtHeading),
                  field(TextField::txtPitch),
                  box(CheckBox::chkUseObjectScale),
                  field(TextField::txtObjectScale),
                  field(TextField::txtGridSize),
                  box(CheckBox::chkPerimeterTile),
                  field(TextField::txtOverlap)};
    // The buttons added to the drawn window come after its own controls.
    m_tabOrder.insert(m_tabOrder.end(), {m_btnScriptOptions, m_btnKinds, m_btnProcessAll, m_btnPreview});
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

QLineEdit* MainWindow::makeField(TextField id, QWidget* parent, const QRect& rect, const char* toolTip) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromUtf8(Name(id)));
    edit->setGeometry(rect);
    if (toolTip)
        edit->setToolTip(QString::fromUtf8(toolTip));
    const int maxLength = m_ctx.form.field(id).maxLength;
    if (maxLength > 0)
        edit->setValidator(new MaxLengthValidator(maxLength, edit));
    edit->installEventFilter(this);
    m_fields[static_cast<std::size_t>(id)] = edit;
    return edit;
}

QCheckBox* MainWindow::makeBox(CheckBox id, const char* caption, QWidget* parent, const QRect& rect) {
    auto* box = new ModelCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromUtf8(Name(id)));
    box->setGeometry(rect);
    TakeFocusOnAccessKey(box);
    m_boxes[static_cast<std::size_t>(id)] = box;
    return box;
}

QLabel* MainWindow::makeLabel(const char* name, const char* caption, QWidget* parent, int left, int top) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* MainWindow::makeButton(const char* name, const char* caption, QWidget* parent, const QRect& rect,
                                    const char* toolTip) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(rect);
    if (toolTip)
        button->setToolTip(QString::fromUtf8(toolTip));
    // Buttons take the focus when clicked or reached by their access key, so a field's focus-loss
    // check runs before the command.
    button->setFocusPolicy(Qt::StrongFocus);
    TakeFocusOnAccessKey(button);
    button->setAutoDefault(false);
    return button;
}

} // namespace tes
