# Pennova writing template (our own text)
id: 402
kind: high
category: 报告|Reports
name: 活动报道|Report on an event
description: 适用于校报、班级公众号或英语作业中的活动报道。首段交代时间、地点、活动名称，中间写活动经过和亮点，最后写反响和意义。
title: [标题中的活动，如 Our Tree Planting Day] Was a Great Success || [标题中的活动，如 Our Tree Planting Day]圆满成功

[block]
On [日期，如 March 12], [组织者，如 the Student Union] held [活动，如 a tree planting day] at [地点，如 the hill behind our school]. || [日期，如 March 12]，[组织者，如 the Student Union]在[地点，如 the hill behind our school]举办了[活动，如 a tree planting day]。
More than [人数，如 100] students and teachers took part in it. || 超过[人数，如 100]名师生参加了活动。
[alternative]
Last weekend, [活动，如 a tree planting day] took place at [地点，如 the hill behind our school]. || 上周末，[活动，如 a tree planting day]在[地点，如 the hill behind our school]举行。
It was organised by [组织者，如 the Student Union]. || 这次活动由[组织者，如 the Student Union]组织。

[block]
The activity began at [时间，如 nine in the morning]. || 活动于[时间，如 nine in the morning]开始。
First, [环节一，如 a teacher showed us how to plant a tree]. || 首先，[环节一，如 a teacher showed us how to plant a tree]。
Then we worked in small groups and [环节二，如 planted over 300 young trees]. || 然后我们分成小组，[环节二，如 planted over 300 young trees]。
[alternative]
Everyone was busy from the beginning to the end. || 从头到尾大家都很忙碌。
[分工，如 Some students dug holes, while others carried water]. || [分工，如 Some students dug holes, while others carried water]。
By noon, we had [成果，如 planted over 300 young trees]. || 到中午，我们已经[成果，如 planted over 300 young trees]。

[block]
The best part of the day was [亮点，如 when each group hung a name card on its tree]. || 当天最精彩的是[亮点，如 when each group hung a name card on its tree]。
Many students said that [反响，如 they would come back to see their trees grow]. || 许多学生说[反响，如 they would come back to see their trees grow]。

[block]
The activity was a great success. || 这次活动非常成功。
It not only [意义，如 made our school greener] but also brought us closer together. || 它不仅[意义，如 made our school greener]，也让我们更团结了。
[alternative]
Everyone agreed that the day was both tiring and meaningful. || 大家一致认为这一天既累又有意义。
We hope there will be more activities like this in the future. || 我们希望将来有更多这样的活动。

[common]
The event was warmly welcomed by the students. || 这次活动受到了学生们的热烈欢迎。
Everyone took an active part in it. || 大家都积极参加了。
The weather was fine that day. || 那天天气很好。
The headmaster gave a short speech at the start. || 校长在开始时做了简短的讲话。
Photos of the event are on the school website. || 活动照片已发布在学校网站上。
It was a day to remember. || 这是难忘的一天。
We learned a lot from the activity. || 我们从活动中学到了很多。
Thanks go to all the volunteers who helped. || 感谢所有提供帮助的志愿者。
