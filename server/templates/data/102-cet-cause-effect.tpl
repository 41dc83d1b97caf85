# Pennova writing template (our own text)
id: 102
kind: high
category: 考试作文|Exam essays CET IELTS TOEFL
name: 四六级议论文：原因与影响|CET-4/6 essay, causes and effects
description: 适用于“分析某种现象的原因及其影响”的作文题。先描述现象，再分析两三个原因，接着说明影响，最后提出展望或建议。
title: Why [标题中的现象，如 More Students Choose to Study Abroad] || 为什么[标题中的现象，如 More Students Choose to Study Abroad]

[block]
Nowadays, it is common to see that [现象，如 more and more students choose to study abroad]. || 如今，[现象，如 more and more students choose to study abroad]的现象很常见。
This trend has attracted wide attention. || 这一趋势引起了广泛关注。
[alternative]
According to a recent survey, [数据，如 the number of students studying abroad has doubled in ten years]. || 根据最近的一项调查，[数据，如 the number of students studying abroad has doubled in ten years]。
What has caused this change, and what does it mean for us? || 是什么导致了这一变化？它对我们又意味着什么？

[block]
Several reasons can explain this phenomenon. || 有几个原因可以解释这一现象。
The first reason is that [原因，如 families have more money than before]. || 第一个原因是[原因，如 families have more money than before]。
The second reason is that [原因，如 young people want to see the world with their own eyes]. || 第二个原因是[原因，如 young people want to see the world with their own eyes]。
[alternative]
The causes of this trend are not hard to find. || 造成这一趋势的原因不难找到。
For one thing, [原因，如 families have more money than before]. || 一方面，[原因，如 families have more money than before]。
For another, [原因，如 young people want to see the world with their own eyes]. || 另一方面，[原因，如 young people want to see the world with their own eyes]。

[block]
This trend has a great effect on both individuals and society. || 这一趋势对个人和社会都有很大的影响。
On the positive side, [积极影响，如 students gain new knowledge and learn to live on their own]. || 从积极的方面看，[积极影响，如 students gain new knowledge and learn to live on their own]。
At the same time, [消极影响，如 some families have to spend most of their savings]. || 与此同时，[消极影响，如 some families have to spend most of their savings]。

[block]
In conclusion, this trend is the result of many factors working together. || 总之，这一趋势是多种因素共同作用的结果。
I believe this trend will continue in the years to come. || 我相信这一趋势在未来几年还会继续。
[alternative]
All in all, we should look at this trend calmly and make choices that suit ourselves. || 总而言之，我们应该冷静地看待这一趋势，做出适合自己的选择。

[common]
There are many reasons for this change. || 这一变化有很多原因。
The main cause lies in the rapid growth of the economy. || 主要原因在于经济的快速发展。
This can be explained by the following facts. || 这可以用以下事实来解释。
As a result, people's way of life has changed a lot. || 因此，人们的生活方式发生了很大变化。
It has a great influence on young people. || 它对年轻人有很大的影响。
Another factor that cannot be ignored is the role of the media. || 另一个不可忽视的因素是媒体的作用。
This is one of the biggest changes of our time. || 这是我们这个时代最大的变化之一。
It is high time that we paid attention to this problem. || 是时候关注这个问题了。
