# Pennova writing template (our own text)
id: 101
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 四六级议论文：利弊分析|CET-4/6 argumentative essay, advantages and disadvantages
description: 适用于四、六级考试中“谈谈某事物的利与弊”一类的议论文。首段引出话题，第二、三段分别写好处与坏处，末段给出自己的看法。话题填单数（如 online learning）或复数（如 smartphones）都可以，句子不必改动。
title: The Advantages and Disadvantages of [标题中的话题，如 Online Learning] || [标题中的话题，如 Online Learning]的利与弊

[block]
In recent years, more and more [人群，如 college students] have turned to [话题，如 online learning]. || 近年来，越来越多的[人群，如 college students]开始使用[话题，如 online learning]。
Like everything else, this trend has both advantages and disadvantages. || 和其他事物一样，这一趋势既有优点也有缺点。
[alternative]
These days, [话题，如 online learning] can be found in the daily life of many [人群，如 college students]. || 如今，[话题，如 online learning]已经进入许多[人群，如 college students]的日常生活。
People hold different views on this, and each side has good reasons. || 人们对此看法不一，双方都有充分的理由。

[block]
On the one hand, we can benefit from [话题，如 online learning] in many ways. || 一方面，[话题，如 online learning]能在很多方面给我们带来好处。
To begin with, [好处一，如 it saves students a lot of time and money]. || 首先，[好处一，如 it saves students a lot of time and money]。
What is more, [好处二，如 it allows us to study at our own pace]. || 此外，[好处二，如 it allows us to study at our own pace]。
[alternative]
The benefits of [话题，如 online learning] are easy to see. || [话题，如 online learning]的好处显而易见。
The greatest one is that [好处一，如 it gives students more choices of courses]. || 最大的好处是[好处一，如 it gives students more choices of courses]。
For example, [例子，如 a student in a small town can attend classes given by top teachers]. || 例如，[例子，如 a student in a small town can attend classes given by top teachers]。

[block]
On the other hand, we should not ignore the problems. || 另一方面，我们也不应忽视其中的问题。
For one thing, [缺点一，如 some students find it hard to concentrate without a teacher in the room]. || 一是[缺点一，如 some students find it hard to concentrate without a teacher in the room]。
For another, [缺点二，如 it is hard for teachers to check whether students are really listening]. || 二是[缺点二，如 it is hard for teachers to check whether students are really listening]。
[alternative]
However, there are also some drawbacks. || 然而，也存在一些弊端。
The most serious one is that [缺点一，如 students may lose face-to-face communication with their classmates]. || 最严重的一点是[缺点一，如 students may lose face-to-face communication with their classmates]。

[block]
In my view, the advantages of [话题，如 online learning] outweigh the disadvantages. || 在我看来，[话题，如 online learning]的好处大于坏处。
As long as we make wise use of [话题，如 online learning], we will gain more than we lose. || 只要我们合理利用[话题，如 online learning]，就会得大于失。
[alternative]
To sum up, [话题，如 online learning] can be a double-edged sword. || 总而言之，[话题，如 online learning]可能是一把双刃剑。
We should make full use of the strengths and try to avoid the weaknesses. || 我们应该充分利用其长处，尽量避免其短处。

[common]
Every coin has two sides. || 凡事都有两面性。
There is no denying that this trend has changed the way we live. || 不可否认，这一趋势改变了我们的生活方式。
Its advantages are obvious, but its disadvantages cannot be ignored. || 它的优点显而易见，但它的缺点也不容忽视。
Whether it is good or bad depends on how we use it. || 它是好是坏取决于我们如何使用它。
The key lies in how we use it. || 关键在于我们如何使用它。
A balanced attitude is what we need. || 我们需要的是一种平衡的态度。
Everything has its limits. || 凡事都有限度。
From what has been discussed above, we can draw the conclusion that balance is the key. || 综上所述，我们可以得出结论：平衡是关键。
