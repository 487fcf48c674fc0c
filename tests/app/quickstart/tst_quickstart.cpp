// The quick-start buttons: rows from a configuration report, editing and
// moving rows from the screens.
#include "controllers/quickstartbuttoninfomodel.h"
#include "types/enumproviderclass.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSignalSpy>
#include <QtTest>

namespace {

telegram_param_def config(quint32 packed)
{
    telegram_param_def r;
    r.id = EnumProviderClass::PARAM_QUICKSTART_BUTTON_CONFIGURATION;
    r.def = 0;
    r.value = qint32(packed);
    return r;
}

quint32 pack(std::initializer_list<int> bytes)
{
    quint32 v = 0;
    int shift = 0;
    for (int b : bytes) {
        v |= quint32(b & 0xFF) << shift;
        shift += 8;
    }
    return v;
}

// "code/checked@position" per row
QStringList rows(const QuickstartButtonInfoModel& model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex i = model.index(row);
        out << QStringLiteral("%1/%2@%3")
                   .arg(i.data(QuickstartButtonInfoModel::BodyAreaEnumRole).toInt())
                   .arg(i.data(QuickstartButtonInfoModel::IsCheckedRole).toBool() ? "on" : "off")
                   .arg(i.data(QuickstartButtonInfoModel::PositionRole).toInt());
    }
    return out;
}

QStringList codes(const QuickstartButtonInfoModel& model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << QString::number(
            model.index(row).data(QuickstartButtonInfoModel::BodyAreaEnumRole).toInt());
    return out;
}

} // namespace

class TestQuickstart : public QObject
{
    Q_OBJECT

private slots:
    void rowsFromReport_data();
    void rowsFromReport();
    void reportReplacesRows();
    void roles();
    void move_data();
    void move();
    void moveIgnored_data();
    void moveIgnored();
    void editCode_data();
    void editCode();
    void editFromQmlDelegate();
};

void TestQuickstart::rowsFromReport_data()
{
    QTest::addColumn<quint32>("packed");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("unknown code keeps its checked state")
        << pack({4, 0, 51, 200}) << QStringList{"4/on@0", "0/off@1", "51/on@2", "0/on@3"};
    QTest::newRow("range edges valid")
        << pack({1, 6, 50, 54}) << QStringList{"1/on@0", "6/on@1", "50/on@2", "54/on@3"};
    QTest::newRow("point and lymph programs")
        << pack({100, 108, 105, 0}) << QStringList{"100/on@0", "108/on@1", "105/on@2", "0/off@3"};
    QTest::newRow("just outside the ranges")
        << pack({7, 49, 55, 109}) << QStringList{"0/on@0", "0/on@1", "0/on@2", "0/on@3"};
    QTest::newRow("99 and 255") << pack({99, 255, 0, 0})
                                << QStringList{"0/on@0", "0/on@1", "0/off@2", "0/off@3"};
}

void TestQuickstart::rowsFromReport()
{
    QFETCH(quint32, packed);
    QFETCH(QStringList, expected);
    QuickstartButtonInfoModel model;
    model.onQuickstartButtonConfigChanged(config(packed));
    QCOMPARE(rows(model), expected);
    QCOMPARE(model.quickstartButtonConfig().value, qint32(packed));
}

void TestQuickstart::reportReplacesRows()
{
    QuickstartButtonInfoModel model;
    model.onQuickstartButtonConfigChanged(config(pack({1, 2, 3, 4})));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.onQuickstartButtonConfigChanged(config(pack({5, 6, 0, 0})));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(rows(model), (QStringList{"5/on@0", "6/on@1", "0/off@2", "0/off@3"}));
    model.clearList();
    QCOMPARE(model.rowCount(), 0);
}

void TestQuickstart::roles()
{
    QuickstartButtonInfoModel model;
    const QHash<int, QByteArray> names = model.roleNames();
    QCOMPARE(names.value(257), QByteArray("quickstartButtonName"));
    QCOMPARE(names.value(258), QByteArray("isChecked"));
    QCOMPARE(names.value(259), QByteArray("position"));
    QCOMPARE(names.value(260), QByteArray("bodyAreaEnum"));
    QCOMPARE(names.value(261), QByteArray("moveIndexes"));

    model.onQuickstartButtonConfigChanged(config(pack({1, 2, 3, 4})));
    // Both name and body-area roles carry the code.
    QCOMPARE(model.index(2).data(QuickstartButtonInfoModel::QuickstartButtonNameRole).toInt(), 3);
    QCOMPARE(model.index(2).data(QuickstartButtonInfoModel::BodyAreaEnumRole).toInt(), 3);
    const QVariant moveIndexes = model.index(0).data(QuickstartButtonInfoModel::MoveIndexesRole);
    QCOMPARE(moveIndexes.value<MoveIndexes>(), MoveIndexes(0, 0));
    // The screens name the pair's type.
    QCOMPARE(QMetaType::type("MoveIndexes"), qMetaTypeId<MoveIndexes>());
    QVERIFY(!model.index(4).data(QuickstartButtonInfoModel::BodyAreaEnumRole).isValid());
    QVERIFY(!model.index(0).data(Qt::DisplayRole).isValid());
}

void TestQuickstart::move_data()
{
    QTest::addColumn<QVariantList>("indexes");
    QTest::addColumn<QStringList>("expected");

    // A=1, B=2, C=3, D=4
    QTest::newRow("first to last") << QVariantList{0, 3} << QStringList{"2", "3", "4", "1"};
    QTest::newRow("last to first") << QVariantList{3, 0} << QStringList{"4", "1", "2", "3"};
    QTest::newRow("one down") << QVariantList{1, 2} << QStringList{"1", "3", "2", "4"};
    QTest::newRow("one up") << QVariantList{2, 1} << QStringList{"1", "3", "2", "4"};
    QTest::newRow("first and last element of a longer list")
        << QVariantList{0, 9, 9, 2} << QStringList{"2", "3", "1", "4"};
}

void TestQuickstart::move()
{
    QFETCH(QVariantList, indexes);
    QFETCH(QStringList, expected);

    QuickstartButtonInfoModel model;
    model.onQuickstartButtonConfigChanged(config(pack({1, 2, 3, 4})));
    QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(0), indexes, QuickstartButtonInfoModel::MoveIndexesRole));
    QCOMPARE(codes(model), expected);
    QCOMPARE(moved.count(), 1);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(),
             QVector<int>{QuickstartButtonInfoModel::MoveIndexesRole});
    // The place on the screen follows the row.
    for (int row = 0; row < model.rowCount(); ++row)
        QCOMPARE(model.index(row).data(QuickstartButtonInfoModel::PositionRole).toInt(), row);
}

void TestQuickstart::moveIgnored_data()
{
    QTest::addColumn<quint32>("packed");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QVariantList>("indexes");

    QTest::newRow("equal indexes") << pack({1, 2, 3, 4}) << 4 << QVariantList{2, 2};
    QTest::newRow("index outside the list") << pack({1, 2, 3, 4}) << 4 << QVariantList{0, 4};
    QTest::newRow("negative index") << pack({1, 2, 3, 4}) << 4 << QVariantList{-1, 2};
}

void TestQuickstart::moveIgnored()
{
    QFETCH(quint32, packed);
    QFETCH(int, rowCount);
    QFETCH(QVariantList, indexes);
    QuickstartButtonInfoModel model;
    model.onQuickstartButtonConfigChanged(config(packed));
    QCOMPARE(model.rowCount(), rowCount);
    const QStringList before = codes(model);
    QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
    model.setData(model.index(0), indexes, QuickstartButtonInfoModel::MoveIndexesRole);
    QCOMPARE(codes(model), before);
    QCOMPARE(moved.count(), 0);
}

void TestQuickstart::editCode_data()
{
    QTest::addColumn<int>("newCode");
    QTest::addColumn<int>("stored");
    QTest::newRow("valid body area") << 6 << 6;
    QTest::newRow("valid lymph program") << 107 << 107;
    QTest::newRow("invalid becomes 0") << 60 << 0;
}

void TestQuickstart::editCode()
{
    QFETCH(int, newCode);
    QFETCH(int, stored);
    QuickstartButtonInfoModel model;
    model.onQuickstartButtonConfigChanged(config(pack({1, 0, 3, 4})));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(1), newCode, QuickstartButtonInfoModel::BodyAreaEnumRole));
    QCOMPARE(model.index(1).data(QuickstartButtonInfoModel::BodyAreaEnumRole).toInt(), stored);
    // Only the code changes; the checked state stays as reported.
    QCOMPARE(model.index(1).data(QuickstartButtonInfoModel::IsCheckedRole).toBool(), false);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 1);
    QCOMPARE(changed.at(0).at(2).value<QVector<int>>(),
             QVector<int>{QuickstartButtonInfoModel::BodyAreaEnumRole});
    // Other roles are not editable.
    QVERIFY(!model.setData(model.index(1), true, QuickstartButtonInfoModel::IsCheckedRole));
}

void TestQuickstart::editFromQmlDelegate()
{
    // The screens write the roles from a delegate; a JavaScript array must
    // work as the move indexes.
    QuickstartButtonInfoModel model;
    model.onQuickstartButtonConfigChanged(config(pack({1, 2, 3, 4})));
    QQmlEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("quickstartButtonInfoModel"), &model);
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.15\n"
                      "Item {\n"
                      "  property alias repeater: rep\n"
                      "  Repeater { id: rep; model: quickstartButtonInfoModel\n"
                      "    delegate: Item {\n"
                      "      function move(from, to) { model.moveIndexes = [from, to] }\n"
                      "      function choose(code) { model.bodyAreaEnum = code }\n"
                      "    }\n"
                      "  }\n"
                      "}\n",
                      QUrl());
    QScopedPointer<QObject> root(component.create());
    QVERIFY2(root, qPrintable(component.errorString()));
    auto* repeater = root->property("repeater").value<QQuickItem*>();
    QVERIFY(repeater);
    QQuickItem* first = nullptr;
    QVERIFY(QMetaObject::invokeMethod(repeater, "itemAt", Q_RETURN_ARG(QQuickItem*, first),
                                      Q_ARG(int, 0)));
    QVERIFY(first);
    QVERIFY(QMetaObject::invokeMethod(first, "move", Q_ARG(QVariant, 0), Q_ARG(QVariant, 3)));
    QCOMPARE(codes(model), (QStringList{"2", "3", "4", "1"}));

    QQuickItem* second = nullptr;
    QVERIFY(QMetaObject::invokeMethod(repeater, "itemAt", Q_RETURN_ARG(QQuickItem*, second),
                                      Q_ARG(int, 1)));
    QVERIFY(QMetaObject::invokeMethod(second, "choose", Q_ARG(QVariant, 105)));
    QCOMPARE(codes(model), (QStringList{"2", "105", "4", "1"}));
}

QTEST_MAIN(TestQuickstart)
#include "tst_quickstart.moc"
