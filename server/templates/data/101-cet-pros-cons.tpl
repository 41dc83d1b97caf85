# Pennova writing template (our own text)
id: 101
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 四六级议论文：利弊分析|CET-4/6 argumentative essay, advantages and disadvantages
description: 适用于四、六级考试中“谈谈某事物的利与弊”一类的议论文。首段引出话题，第二、三段分别写好处与坏处，末段给出自己的看法。
title: The Advantages and Disadvantages of [标题中的话题，如 Online Learning] || [标题中的话题，如 Online Learning]的利与弊

[block]
In recent years, [话题，如 online learning] has become more and more popular among [人群，如 college students]. || 近年来，[话题，如 online learning]在[人群，如 college students]中越来越流行。
Like everything else, it has both advantages and disadvantages. || 和其他事物一样，它既有优点也有缺点。
[alternative]
These days, [话题，如 online learning] is part of the daily life of many [人群，如 college students]. || 如今，[话题，如 online learning]已经成为许多[人群，如 college students]日常生活的一部分。
People hold different views on it, and each side has good reasons. || 人们对此看法不一，双方都有充分的理由。

[block]
On the one hand, [话题，如 online learning] brings us many benefits. || 一方面，[话题，如 online learning]给我们带来了许多好处。
To begin with, it saves a lot of time and money. || 首先，它节省了大量的时间和金钱。
What is more, it allows us to study at our own pace. || 此外，它让我们可以按照自己的节奏学习。
[alternative]
The benefits of [话题，如 online learning] are easy to see. || [话题，如 online learning]的好处显而易见。
It gives us more choices and makes our lives more convenient. || 它给了我们更多选择，让生活更加便利。
For example, [例子，如 a student in a small town can attend classes given by top teachers]. || 例如，[例子，如 a student in a small town can attend classes given by top teachers]。

[block]
On the other hand, we should not ignore its problems. || 另一方面，我们不应忽视它带来的问题。
Some people spend too much time on it and become less active in real life. || 有些人在这上面花费了太多时间，在现实生活中变得不那么活跃。
In addition, [缺点，如 it is hard for teachers to check whether students are really listening]. || 另外，[缺点，如 it is hard for teachers to check whether students are really listening]。
[alternative]
However, it also has some drawbacks. || 然而，它也有一些弊端。
The most serious one is that [缺点，如 students may lose face-to-face communication with their classmates]. || 最严重的一点是[缺点，如 students may lose face-to-face communication with their classmates]。

[block]
In my view, the advantages of [话题，如 online learning] outweigh its disadvantages. || 在我看来，[话题，如 online learning]的好处大于坏处。
As long as we use it wisely, it will do us more good than harm. || 只要我们合理地利用它，它带给我们的益处将多于害处。
[alternative]
To sum up, [话题，如 online learning] is a double-edged sword. || 总而言之，[话题，如 online learning]是一把双刃剑。
We should make full use of its strengths and try to avoid its weaknesses. || 我们应该充分利用它的长处，尽量避免它的短处。

[common]
Every coin has two sides. || 凡事都有两面性。
There is no denying that technology has changed the way we live. || 不可否认，科技改变了我们的生活方式。
It is widely believed that practice makes perfect. || 人们普遍认为熟能生巧。
Its advantages are obvious, but its disadvantages cannot be ignored. || 它的优点显而易见，但它的缺点也不容忽视。
Whether it is good or bad depends on how we use it. || 它是好是坏取决于我们如何使用它。
A balanced attitude is what we need. || 我们需要的是一种平衡的态度。
Everything has its limits. || 凡事都有限度。
From what has been discussed above, we can draw the conclusion that balance is the key. || 综上所述，我们可以得出结论：平衡是关键。
