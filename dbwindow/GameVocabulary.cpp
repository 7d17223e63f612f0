#include "dbwindow/GameVocabulary.h"

namespace torvik::dbwindow {

const std::array<TItemCheck, 81> StdModeList = {{
    {u"药", 0},
    {u"干肉", 1},
    {u"技能卷轴", 2},
    {u"灵符、卷轴、油、石", 3},
    {u"技能书", 4},
    {u"武器1", 5},
    {u"武器2", 6},
    {u"其他", 7},
    {u"元神技能书", 8},
    {u"月光宝盒", 9},
    {u"男衣", 10},
    {u"女衣", 11},
    {u"盾牌", 12},
    {u"魂珠", 13},
    {u"头盔", 15},
    {u"超级技能项链", 18},
    {u"项链(魔法躲避)", 19},
    {u"项链", 20},
    {u"项链(攻击加速)", 21},
    {u"戒指", 22},
    {u"戒指(特殊)", 23},
    {u"手镯", 24},
    {u"毒、符、灵鼠神佑", 25},
    {u"手镯、手套", 26},
    {u"灵鼠神佑、金牛神佑", 29},
    {u"勋章、蜡烛，祝福宝石", 30},
    {u"捆包、卷轴", 31},
    {u"空马牌", 32},
    {u"马牌", 33},
    {u"道符", 34},
    {u"卷轴(不减持久)", 36},
    {u"特殊道具", 37},
    {u"黑暗之戒", 38},
    {u"肉", 40},
    {u"特殊证书", 41},
    {u"配药原料", 42},
    {u"矿石、碎片", 43},
    {u"幸运符、号角", 44},
    {u"红、绿、蓝宝石", 45},
    {u"钥匙、任务道具", 46},
    {u"金条、金砖", 47},
    {u"木材", 48},
    {u"宝箱、豹魔石、披风", 49},
    {u"宝盒", 50},
    {u"烟花", 52},
    {u"附身物品", 57},
    {u"腰带", 58},
    {u"宝石", 59},
    {u"天地宝石", 61},
    {u"鉴定卷轴", 62},
    {u"元神", 70},
    {u"三魂七魄灵石", 71},
    {u"靴子", 81},
    {u"靴子(未鉴定)", 82},
    {u"腰带(未鉴定)", 83},
    {u"行会资源", 90},
    {u"魂骨", 91},
    {u"启心石", 93},
    {u"虎王护甲", 100},
    {u"虎王护腕", 101},
    {u"虎王护膝", 102},
    {u"灵兽头盔", 103},
    {u"灵兽护经", 104},
    {u"灵兽护胸", 105},
    {u"灵兽护背", 106},
    {u"灵兽护肢", 107},
    {u"灵兽尾刺", 108},
    {u"纹佩", 111},
    {u"神龙之魂", 112},
    {u"龙纹钢", 114},
    {u"面甲", 116},
    {u"仙翼", 117},
    {u"仙谕", 118},
    {u"仙冠", 119},
    {u"仙珠", 120},
    {u"仙佩", 121},
    {u"仙靴", 122},
    {u"仙带", 123},
    {u"碎片", 124},
    {u"玉石", 125},
    {u"七宝灵驹", 137},
}};

const std::array<const char16_t *, 39> StdItemsLabels = {
    u"序列",         u"名称",         u"分类号",       u"装备外观",     u"重量",
    u"触发编号",     u"强度",         u"保留",         u"物品外观",     u"最大持久",
    u"最低防御",     u"最高防御",     u"最低魔防",     u"最高魔防",     u"最低攻击",
    u"最高攻击",     u"最低魔法",     u"最高魔法",     u"最低道术",     u"最高道术",
    u"佩戴要求",     u"佩戴等级",     u"商品价格",     u"库存",         u"物品规则",
    u"特殊属性",     u"伤害转移",     u"伤害反射",     u"金",           u"木",
    u"水",           u"土",           u"火",           u"暴击",         u"减免物理防御",
    u"减免魔法防御", u"减免物理躲避", u"减免魔法防御", u"抗性",
};

const std::array<const char16_t *, 34> MonsterLabels = {
    u"名称",     u"攻击类型", u"攻击效果", u"外观",     u"等级",     u"死后类型",     u"视觉范围",
    u"经验",     u"生命值",   u"魔法值",   u"物理防御", u"魔法防御", u"最低攻击",     u"最高攻击",
    u"魔法力",   u"道术力",   u"躲避",     u"命中",     u"移动间隔", u"移动距离",     u"移动休息时间",
    u"攻击间隔", u"禁止秒杀", u"禁止重击", u"禁止中毒", u"禁止咀咒", u"禁止麻痹",     u"忽视隐身",
    u"复活次数", u"复活怪物", u"暴率同读", u"怪物颜色", u"视野范围", u"诱惑等级",
};

const std::array<const char16_t *, 23> MagicLabels = {
    u"技能ID",       u"技能名称",     u"释放动画",     u"释放动画",    u"魔法值",
    u"最小攻击",     u"最大攻击",     u"魔法消耗",     u"增加最小攻击", u"增加最大攻击",
    u"职业",         u"1级学习等级",  u"1级技能经验",  u"2级学习等级", u"2级技能经验",
    u"3级学习等级",  u"3级学习经验",  u"释放间隔",     u"释放动画时间", u"4级技能经验",
    u"5级技能经验",  u"6级技能经验",  u"7级技能经验",
};

const std::array<const char16_t *, 20> EvilLabels = {
    u"编号", u"职业",   u"性别",   u"头型",   u"境界",   u"配置翅膀", u"衣服",
    u"武器", u"勋章",   u"项链",   u"头盔",   u"手镯左", u"手镯右",   u"戒指左",
    u"戒指右", u"道士符", u"腰带", u"靴子",   u"宝石",   u"技能",
};

const std::array<const char16_t *, 11> TaoistPetLabels = {
    u"宠物名称", u"等级",     u"生命值", u"攻击下限", u"攻击上限", u"物理防御",
    u"魔法防御", u"准确",     u"躲避",   u"移动速度", u"攻击速度",
};

std::span<const char16_t *const> columnLabelsOfPage(int page)
{
    switch (page) {
    case 0: return StdItemsLabels;
    case 1: return MonsterLabels;
    case 2: return MagicLabels;
    case 3: return EvilLabels;
    case 4: return TaoistPetLabels;
    default: return {};
    }
}

QString categoryEntryText(const TItemCheck &item)
{
    return categoryEntryValue(item) + QLatin1Char('-') + QString::fromUtf16(item.Caption);
}

QString categoryEntryValue(const TItemCheck &item)
{
    return QString::number(item.Code);
}

} // namespace torvik::dbwindow
