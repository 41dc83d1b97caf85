# Pennova writing template (our own text)
id: 104
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 图表作文：描述变化趋势|Describing a chart or graph, trends
description: 适用于雅思小作文和四六级图表作文中描述数据变化的部分。先说明图表内容，再写总体趋势，然后给出具体数据，最后总结。雅思小作文只描述图表所示内容，不推测原因、不预测未来；四六级题目若要求分析原因，可在数据段后另写一段。
title: Changes in [标题中的图表主题，如 the Number of Private Cars] || [标题中的图表主题，如 the Number of Private Cars]的变化

[block]
The chart shows [图表主题，如 the number of private cars in our city] from [起始年份，如 2010] to [结束年份，如 2020]. || 图表显示了从[起始年份，如 2010]到[结束年份，如 2020]年[图表主题，如 the number of private cars in our city]的情况。
[alternative]
The graph gives information about [图表主题，如 the number of private cars in our city] between [起始年份，如 2010] and [结束年份，如 2020]. || 该图提供了[起始年份，如 2010]年至[结束年份，如 2020]年间[图表主题，如 the number of private cars in our city]的信息。

[block]
Overall, [总体趋势，如 the number rose sharply over the period]. || 总体来看，[总体趋势，如 the number rose sharply over the period]。
[alternative]
It is clear from the chart that [总体趋势，如 the number rose sharply over the period]. || 从图表中可以清楚地看出，[总体趋势，如 the number rose sharply over the period]。

[block]
In [起始年份，如 2010], the figure stood at [起始数据，如 50,000]. || [起始年份，如 2010]年，这一数字为[起始数据，如 50,000]。
Over the next few years, it [变化，如 rose steadily]. || 在接下来的几年里，它[变化，如 rose steadily]。
By [结束年份，如 2020], it had [结果，如 reached 300,000]. || 到[结束年份，如 2020]年，它已经[结果，如 reached 300,000]。
[alternative]
Between [起始年份，如 2010] and [结束年份，如 2020], the figure went from [起始数据，如 50,000] to [结束数据，如 300,000]. || [起始年份，如 2010]年至[结束年份，如 2020]年间，这一数字从[起始数据，如 50,000]变为[结束数据，如 300,000]。
The biggest change came in [某一年，如 2015], when [细节，如 it grew by 60,000]. || 变化最大的是[某一年，如 2015]年，[细节，如 it grew by 60,000]。

[block]
[特点，如 The fastest growth] was seen in [时期，如 the middle of the period]. || [特点，如 The fastest growth]出现在[时期，如 the middle of the period]。
In contrast, [对比，如 the figure changed very little in the first two years]. || 相比之下，[对比，如 the figure changed very little in the first two years]。

[block]
To sum up, the chart shows [总结，如 a clear upward trend in the number of private cars]. || 总而言之，图表显示出[总结，如 a clear upward trend in the number of private cars]。
[alternative]
In summary, [总结，如 the number of private cars grew sixfold over the period]. || 概括来说，[总结，如 the number of private cars grew sixfold over the period]。

[common]
The figure increased sharply in the first three years. || 这一数字在前三年急剧上升。
The number went down a little in the next year. || 这个数字在第二年略有下降。
The percentage remained stable over the whole period. || 这一比例在整个期间保持稳定。
The two lines show opposite trends. || 这两条线显示了相反的趋势。
The figure reached its peak in the last year. || 这一数字在最后一年达到了顶峰。
There was a gradual decline after that. || 此后逐渐下降。
The chart compares the spending of three age groups. || 该图表比较了三个年龄组的开支。
The figure was about twice as high as in the first year. || 这一数字约为第一年的两倍。
