// Every screen of the program, in catalogue order, one line each: its name
// (the identifier of its layout table, the registry and the script driver),
// its factory, the section of the menu bar "计算器" or "工具" that lists it,
// and its caption there. A new screen is one line here plus its own file.
#pragma once

// X(name, factory, section, caption)
#define HC_SCREENS(X)                                     \
  X(Form1, MakeMainScreen, Price, "止盈止损价")           \
  X(Form2, MakeRiseFall, Price, "涨跌幅")                 \
  X(Form3, MakeLimitPrices, Price, "涨停价、跌停价")      \
  X(Form4, MakeAddition, Arithmetic, "加法")              \
  X(Form5, MakeMultiplication, Arithmetic, "乘法")        \
  X(Form6, MakeAverageCost, Price, "补仓后平均成本")      \
  X(Form7, MakeCompoundGrowth, Price, "复利计算器")       \
  X(Form8, MakeStagedPrices, Price, "分批补仓价")         \
  X(Form9, MakeDivision, Arithmetic, "除法")              \
  X(Form11, MakePeValuation, Valuation, "PE估值")         \
  X(Form12, MakeWaveTarget, Valuation, "猜猜价格")        \
  X(Form13, MakePullbackPrice, Valuation, "猜猜回调价格") \
  X(Form14, MakeForm14, Analysis, "财务分析")             \
  X(Form15, MakeForm15, Solvency, "偿债能力分析")         \
  X(Form16, MakeForm16, Solvency, "流动比率")             \
  X(Form17, MakeForm17, Solvency, "速动比率")             \
  X(Form18, MakeForm18, Solvency, "现金比率")             \
  X(Form19, MakeForm19, Solvency, "资本周转率")           \
  X(Form20, MakeForm20, Solvency, "清算价值比率")         \
  X(Form21, MakeForm21, Solvency, "利息支付倍数")         \
  X(Form22, MakeForm22, Efficiency, "营运能力分析")       \
  X(Form23, MakeForm23, Profitability, "盈利能力分析")    \
  X(Form24, MakeForm24, Capital, "资金实力分析")          \
  X(Form25, MakeForm25, Efficiency, "存货周转率")         \
  X(Form26, MakeForm26, Efficiency, "应收帐款周转率")     \
  X(Form27, MakeForm27, Efficiency, "流动资产周转率")     \
  X(Form28, MakeForm28, Efficiency, "固定资产利用率")     \
  X(Form29, MakeForm29, Efficiency, "总资产周转率")       \
  X(Form30, MakeForm30, Profitability, "营业利润率")      \
  X(Form31, MakeForm31, Profitability, "成本费用利润率")  \
  X(Form32, MakeForm32, Profitability, "盈利现金比率")    \
  X(Form33, MakeForm33, Profitability, "总资产报酬率")    \
  X(Form34, MakeForm34, Profitability, "净资产收益率")    \
  X(Form35, MakeForm35, Profitability, "资本收益率")      \
  X(Form36, MakeForm36, Capital, "自有资金结构率")        \
  X(Form37, MakeForm37, Capital, "自有流动资金率")        \
  X(Form38, MakePositionPlan, PlanGrid, "建仓计划")       \
  X(Form39, MakeGridTrading, PlanGrid, "网格交易")        \
  X(Form40, MakeTradingCosts, Tools, "交易费用与保本价")  \
  X(Form41, MakeBoardLimits, Tools, "涨跌停价（分板块）") \
  X(Form42, MakeGridOrders, Tools, "网格挂单明细")        \
  X(Form43, MakeSwingTrade, Tools, "做T计算器")           \
  X(Form44, MakeCostTarget, Tools, "补仓到目标成本")      \
  X(Form45, MakeExRights, Tools, "除权除息")              \
  X(Form46, MakeConvertibleBond, Tools, "可转债")         \
  X(Form47, MakeMarginFinancing, Tools, "融资融券")       \
  X(Form48, MakeAnnualReturn, Tools, "年化收益率（定投）") \
  X(Form49, MakePositionSize, Tools, "仓位计算（按风险）") \
  X(Form50, MakeRegularInvestment, Tools, "定投计划（复利测算）") \
  X(Form51, MakeConvertibleYield, Tools, "可转债到期收益率") \
  X(Form52, MakeReverseRepo, Tools, "国债逆回购")
