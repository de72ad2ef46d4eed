// Builds the example cold store under docs/examples: ten chambers made by the
// program's own commands from the data folder's template, most with a system
// adopted from the catalogue as the selection window lists it, and the project
// file over them.
//
//   kvor-mkexample DATA_DIR OUT_DIR

#include "document/calculationdocument.h"
#include "project/core/projectfile.h"
#include "selection/core/catalogueselection.h"
#include "storage/dbferror.h"
#include "storage/dbftable.h"
#include "storage/referencetables.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>

using namespace kvor;

namespace {

struct Chamber {
    const char *file;
    double length, width, height;
    int temperature;
    int mode; // 0 storage, 1 cooling
    const char *category;
    const char *product;
    int entry, final; // product temperatures, °C
    double fill;   // share of the chamber the stock fills
    int systems;   // KOLSYS
    enum { Adopt, None, Undersized } system;
};

const Chamber kChambers[] = {
    {"01 Охолоджена продукція 1", 12, 8, 4, 2, 0, "Молочне", "Молоко цельное", 8, 2, 0.5, 2, Chamber::Adopt},
    {"02 Охолоджена продукція 2", 12, 8, 4, 2, 0, "Молочне", "Сыр твердый", 8, 2, 0.5, 2, Chamber::Adopt},
    {"03 Заморожене мʼясо", 18, 12, 5, -20, 0, "Мясне", "Говядина (туша)", -12, -20, 0.6, 2, Chamber::Adopt},
    {"04 Заморожена риба", 10, 8, 5, -25, 0, "Морепродукти", "Треска", -15, -25, 0.6, 1, Chamber::Adopt},
    {"05 Шокове заморожування", 4, 3, 3, -30, 1, "Мясне", "Свинина (туша)", 2, -18, 0.15, 1, Chamber::Adopt},
    {"06 Фрукти", 10, 6, 4.5, 4, 0, "Фрукти", "Яблоки", 12, 4, 0.5, 1, Chamber::Adopt},
    {"07 Овочі", 10, 6, 4.5, 4, 0, "Овочi", "Картофель", 12, 4, 0.5, 1, Chamber::Undersized},
    {"08 Охолодження мʼяса", 6, 4, 3.5, 0, 1, "Мясне", "Свинина (туша)", 37, 4, 0.1, 1, Chamber::Adopt},
    {"09 Експедиція", 14, 6, 4, 12, 0, "Iнше", "Пиво", 20, 12, 0.1, 1, Chamber::Adopt},
    {"10 Резервна камера", 8, 6, 4, -18, 0, "Мясне", "Куры", -12, -18, 0.5, 1, Chamber::None},
};

QString fail(const QString &what)
{
    std::fprintf(stderr, "%s\n", what.toUtf8().constData());
    std::exit(1);
}

// A system the selection window lists for the chamber, adopted as "Вибрати" does.
bool adoptFirstListed(CalculationDocument &doc, const QString &dataDir)
{
    ReferenceTables &t = doc.tables();
    DbfTable &w = doc.record();
    SelectionInputs in;
    in.chamberTemperature = w.fieldByName("OB_TEMKAM")->asFloat();
    in.outdoorTemperature = w.fieldByName("OB_RGTMAX")->asFloat();
    in.processingMode = w.value("OB_TERMR").toString();
    in.systems = w.fieldByName("KOLSYS")->asInteger();
    in.required = doc.result(11);
    CatalogueSelection selection;
    if (selection.build(t.taKat, dataDir, in) != CatalogueSelection::Outcome::Listed) {
        std::fprintf(stderr, "%.2f kW, %d systems, %s: %s\n", in.required, in.systems,
                     selection.filter().toUtf8().constData(), selection.message().toUtf8().constData());
        return false;
    }
    // The smallest listed system that covers the requirement, as an engineer picks it.
    const double perSystem = in.required * 1000 / std::max(1, in.systems);
    const QString column = QStringLiteral("Q") + selection.ambientColumn();
    t.taKat.first();
    while (!t.taKat.eof() && t.taKat.value(column).toDouble() < perSystem)
        t.taKat.next();
    if (t.taKat.eof())
        t.taKat.first();
    AdoptedSystem system;
    system.code = t.taKat.value("SIS").toString();
    const QVariant group = t.taKat.value("ID_GRUP");
    if (t.taGrups.locate("ID", group))
        system.description = t.taGrups.value("GR").toString().trimmed() + QStringLiteral(", ")
                             + t.taGrups.value("PGR").toString().trimmed();
    system.unit = t.taKat.value("AGR").toString();
    system.cooler = t.taKat.value("VOHL").toString();
    system.cabinet = t.taKat.value("SHKAF").toString();
    system.kit = t.taKat.value("NABOR").toString();
    system.capacity = t.taKat.value(QStringLiteral("Q") + selection.ambientColumn());
    doc.adoptSystem(system);
    CatalogueSelection::reset(t.taKat);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        fail(QStringLiteral("usage: kvor-mkexample DATA_DIR OUT_DIR"));
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(out.filePath(QStringLiteral("chambers"))))
        fail(QStringLiteral("Cannot create %1").arg(out.path()));

    ReferenceTables tables;
    CalculationDocument doc(tables);
    QObject::connect(&doc, &CalculationDocument::tableError, [](const QString &m) { fail(m); });
    QObject::connect(&doc, &CalculationDocument::runStopped, [](const QString &m) { fail(m); });
    ProjectFile project;
    project.name = QStringLiteral("Холодильний склад «Приклад»");
    project.client = QStringLiteral("ТОВ «Північний холод»");
    project.address = QStringLiteral("м. Київ, вул. Складська, 7");
    try {
        for (DbfTable *t : {&tables.taMater, &tables.taIzolm, &tables.taInt, &tables.taProd, &tables.taTara,
                            &tables.taIsp, &tables.taRegion, &tables.taGrups}) {
            t->setDatabaseName(dataDir);
            t->setReadOnly(true);
            t->open();
        }
        tables.taKat.setDatabaseName(dataDir);
        for (const Chamber &c : kChambers) {
            const QString path = out.filePath(QStringLiteral("chambers/%1.kvor").arg(QString::fromUtf8(c.file)));
            QFile::remove(path);
            if (!doc.createFromTemplate(dataDir, path))
                fail(QStringLiteral("Cannot create %1").arg(path));
            DbfTable &w = doc.record();
            w.edit();
            w.setValue("OB_KAMDL", c.length);
            w.setValue("OB_KAMSH", c.width);
            w.setValue("OB_KAMVS", c.height);
            w.setValue("OB_TEMKAM", c.temperature);
            w.setValue("KOLSYS", c.systems);
            w.setValue("KL_NAIM", project.client);
            w.setValue("OB_ISP", QStringLiteral("Коваленко О. М."));
            doc.setProcessingMode(c.mode);
            doc.setProductCategory(QString::fromUtf8(c.category));
            w.edit();
            w.setValue("TE_PTIP", QString::fromUtf8(c.product));
            doc.checkProduct();
            w.edit();
            w.setValue("TE_PT0", c.entry);
            w.setValue("TE_PT1", c.final);
            w.setValue("TE_TT0", c.entry);
            w.setValue("TE_TT1", c.final);
            doc.stackingHeightFromChamberHeight();
            doc.fillChamber(c.fill);
            doc.recalculate();
            if (c.system != Chamber::None && !adoptFirstListed(doc, dataDir))
                fail(QStringLiteral("No system listed for %1").arg(path));
            if (c.system == Chamber::Undersized) {
                // The chamber grew after its system was chosen.
                w.edit();
                w.setValue("OB_KAMDL", c.length * 2);
                doc.fillChamber(c.fill);
                doc.recalculate();
            }
            doc.saveAs(path);
            doc.close();
            project.chambers.push_back({QFileInfo(path).absoluteFilePath(), {}});
        }
        project.save(out.filePath(QStringLiteral("cold-store.kvorproj")));
    } catch (const DbfError &e) {
        fail(e.message());
    } catch (const ProjectError &e) {
        fail(e.message());
    }
    return 0;
}
