# Pennova writing template (our own text)
id: 104
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 图表作文：描述变化趋势|Describing a chart or graph, trends
description: 适用于四六级和雅思小作文中的图表描述题。先说明图表内容，再写主要趋势和具体数据，最后分析原因或总结。
title: Changes in [标题中的图表主题，如 the Number of Private Cars] || [标题中的图表主题，如 the Number of Private Cars]的变化

[block]
The chart shows [图表主题，如 the number of private cars in our city] from [起始年份，如 2010] to [结束年份，如 2020]. || 图表显示了从[起始年份，如 2010]到[结束年份，如 2020]年[图表主题，如 the number of private cars in our city]的情况。
[alternative]
As can be seen from the graph, [图表主题，如 the number of private cars in our city] changed greatly between [起始年份，如 2010] and [结束年份，如 2020]. || 从图中可以看出，[起始年份，如 2010]年至[结束年份，如 2020]年间，[图表主题，如 the number of private cars in our city]变化很大。

[block]
In [起始年份，如 2010], the figure was only [起始数据，如 50,000]. || [起始年份，如 2010]年，这一数字仅为[起始数据，如 50,000]。
It rose steadily over the next few years. || 在接下来的几年里，它稳步上升。
By [结束年份，如 2020], it had reached [结束数据，如 300,000]. || 到[结束年份，如 2020]年，它已经达到了[结束数据，如 300,000]。
[alternative]
The figure grew from [起始数据，如 50,000] to [结束数据，如 300,000] in ten years. || 十年间，这一数字从[起始数据，如 50,000]增长到了[结束数据，如 300,000]。
The fastest growth came in [某一年，如 2015]. || 增长最快的是[某一年，如 2015]年。

[block]
Several factors may account for this change. || 有几个因素可以解释这一变化。
One is that people earn more money than before. || 一是人们比以前挣得更多。
Another is that [原因，如 cars have become cheaper and easier to buy]. || 另一个是[原因，如 cars have become cheaper and easier to buy]。

[block]
In a word, the chart reflects a clear upward trend. || 总之，图表反映出明显的上升趋势。
It is likely that the number will keep rising in the future. || 这个数字将来很可能会继续上升。
[alternative]
From the chart, we can see that our lives are changing fast. || 从图表中我们可以看出，我们的生活正在快速变化。
We should think about how to deal with the problems that come with it. || 我们应该思考如何应对随之而来的问题。

[common]
The figure increased sharply in the first three years. || 这一数字在前三年急剧上升。
The number went down a little in the next year. || 这个数字在第二年略有下降。
The percentage remained stable over the whole period. || 这一比例在整个期间保持稳定。
The two lines show opposite trends. || 这两条线显示了相反的趋势。
The figure reached its peak in the last year. || 这一数字在最后一年达到了顶峰。
There was a gradual decline after that. || 此后逐渐下降。
The chart compares the spending of three age groups. || 该图表比较了三个年龄组的开支。
The data clearly show a change in people's habits. || 数据清楚地显示了人们习惯的变化。
