#pragma once

#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

class QLabel;
class QWidget;

namespace Ui {
class InputPanel;
}

namespace kvor {

class DataSource;
class ReferenceTables;

// The input groups and the nine pages of the main window's panel: laid onto the
// panel beside the results groups, bound to the calculation record by one
// binding table, and reporting every input event as the handler it belongs to.
class InputPanel : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        Numeric,      // numeric edit
        LookupList,   // drop-down of a reference table's names, 7 rows
        LookupGrid,   // the same with 8 rows (product, packaging)
        FixedList,    // list-only drop-down with its own items
        EditableList, // drop-down with its own items that also takes typed text
        CheckBox,     // bound check box
        ReadOnly,     // read-only edit, bold
    };
    enum class Source { Work, Mater, Izolm, Region, Prod, Tara };
    // The handler each control's event runs.
    enum class Hook {
        None,
        inputChanged,
        sameConstructionClicked,
        optionChecked,
        productChanged,
        regionChosen,
        outdoorTemperatureEdited,
        chamberHeightEdited,
        chamberTemperatureEdited,
    };
    struct Binding {
        const char *object;
        Kind kind;
        Source source;
        const char *field;
        Hook hook = Hook::None;
        double minValue = 0; // equal bounds: no range
        double maxValue = 0;
        bool validated = false;
        int maxLength = 0; // 0: no limit
        Source listSource = Source::Work;
        const char *listField = nullptr;
    };
    struct FixedItems {
        const char *object;
        QStringList items;
    };

    // Lays the groups and pages onto `panel` (the main window's Panel4).
    explicit InputPanel(QWidget *panel);
    ~InputPanel() override;

    QWidget *panel() const { return m_panel; }
    QWidget *widget(const char *objectName) const;

    // The product category as the list shows it, and showing one without running its rule.
    QString productCategory() const;
    void showProductCategory(const QString &category);
    // The processing mode's item (0 storage, 1 processing).
    int processingMode() const;
    // The mode's item, captions and the storage-only fields, without running its rule.
    void showProcessingMode(int item);
    // The share of the chamber the fill choice stands for.
    double fillFraction() const;
    // The typed outdoor temperature and humidity, open only for a region typed by hand.
    void setTypedClimateEnabled(bool enabled);
    // The fields each option box opens or closes, as the boxes stand.
    void applyOptionStates();

    static const std::vector<Binding> &bindings();
    static const std::vector<FixedItems> &fixedItems();
    // The controls in tab order (compound ones by the widget that takes the focus).
    std::vector<QWidget *> tabSequence() const;

    // Binds every control to its field and its list's table.
    void bind(ReferenceTables &dm);

    // Sizes a caption to its text: the layout's box, run on to the right only as
    // far as the next control beside it, never over it.
    static void fitCaption(QLabel *label);

signals:
    void inputChanged();
    void sameConstructionClicked();
    void optionChecked();
    void productChanged();
    void categoryChanged();
    void fillChamberClicked();
    void modeClicked();
    void regionChosen();
    void outdoorTemperatureEdited();
    void chamberHeightEdited();
    void chamberTemperatureEdited();

private:
    void setUpControls();
    void wireHooks();
    void applyTabOrder();
    void run(Hook hook);
    bool isOurs(const QWidget *w) const;
    static void setCaption(QLabel *label, const QString &caption);
    static DataSource *dataSource(ReferenceTables &dm, Source source);

    QWidget *m_panel;
    std::unique_ptr<Ui::InputPanel> m_ui;
};

} // namespace kvor
